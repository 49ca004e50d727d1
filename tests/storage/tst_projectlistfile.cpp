#include "storage/projectlistfile.h"
#include "support/filesizelimit.h"

#include <QtTest>

#include <limits>

namespace {

const QString dataFolder = QStringLiteral(TALLYWICK_TEST_DATA "/projectlist");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray golden(const QString &name)
{
    const QByteArray bytes = readFile(dataFolder + QLatin1Char('/') + name);
    if (bytes.isEmpty())
        qFatal("missing test data %s", qPrintable(name));
    return bytes;
}

QStringList toList(const std::array<QString, 8> &names)
{
    return QStringList(names.begin(), names.end());
}

QList<double> toList(const std::array<double, 8> &totals)
{
    return QList<double>(totals.begin(), totals.end());
}

const QStringList fallbackNames = {QStringLiteral("Project 1"), {}, {}, {}, {}, {}, {}, {}};

ProjectList exampleList()
{
    ProjectList list;
    list.userName = QStringLiteral("Ann");
    list.names[0] = QStringLiteral("Alpha");
    list.totals[0] = 3725.4;
    list.names[1] = QStringLiteral("Beta");
    list.totals[1] = 60.0;
    return list;
}

// The names that splitting at commas and quotes or trimming blanks would lose, with totals whose halves
// round to even on the way out.
ProjectList awkwardList()
{
    ProjectList list;
    list.userName = QStringLiteral(" Zoë, \"the boss\" ");
    list.names = {QStringLiteral("Smith, Jones and Co"),
                  QStringLiteral("\"Quoted\" project"),
                  QStringLiteral("  leading blanks"),
                  QStringLiteral("trailing blanks  "),
                  QStringLiteral("Ærø – Überstunden €"),
                  QStringLiteral("\""),
                  QStringLiteral(","),
                  QString()};
    list.totals = {0.4, 1.0, -5.0, 86400.0, 3724.5, 3725.5, 2.5, 359999.0};
    return list;
}

// The example file with one line replaced (1-based line number).
QByteArray exampleWithLine(int lineNumber, const QByteArray &line)
{
    QList<QByteArray> lines = golden(QStringLiteral("example.dat")).split('\n');
    lines[lineNumber - 1] = line + '\r';
    return lines.join('\n');
}

} // namespace

class TestProjectListFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void encodesTheExample();
    void writesNumberLines_data();
    void writesNumberLines();
    void encodesAwkwardNamesUnchanged();
    void decodesFiles_data();
    void decodesFiles();
    void readsNumberLines_data();
    void readsNumberLines();
    void roundTripsAwkwardNamesThroughTheFile();
    void missingFileGivesTheFallback();
    void saveIntoAFolderThatCannotBeWrittenFails_data();
    void saveIntoAFolderThatCannotBeWrittenFails();
    void failedWriteLeavesTheOldFileWhole();
    void keepsAFileThatDidNotLoadOnceAsBackup();
    void makesNoBackupAfterAGoodLoadOrAMissingFile_data();
    void makesNoBackupAfterAGoodLoadOrAMissingFile();
    void backupReplacesAnOlderBackup();
    void saveFailsWhenTheBackupCannotBeMade();
};

void TestProjectListFile::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TestProjectListFile::encodesTheExample()
{
    QCOMPARE(ProjectListFile::encode(exampleList()), golden(QStringLiteral("example.dat")));
}

void TestProjectListFile::writesNumberLines_data()
{
    QTest::addColumn<double>("total");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("zero") << 0.0 << QByteArray(" 0 ");
    QTest::newRow("0.5 to even 0") << 0.5 << QByteArray(" 0 ");
    QTest::newRow("1.5 to even 2") << 1.5 << QByteArray(" 2 ");
    QTest::newRow("2.5 to even 2") << 2.5 << QByteArray(" 2 ");
    QTest::newRow("3724.5 to even 3724") << 3724.5 << QByteArray(" 3724 ");
    QTest::newRow("3725.5 to even 3726") << 3725.5 << QByteArray(" 3726 ");
    QTest::newRow("3725.4 down") << 3725.4 << QByteArray(" 3725 ");
    QTest::newRow("negative") << -5.0 << QByteArray("-5 ");
    QTest::newRow("negative half to even") << -2.5 << QByteArray("-2 ");
    QTest::newRow("small negative rounds to zero") << -0.4 << QByteArray(" 0 ");
    QTest::newRow("negative zero") << -0.0 << QByteArray(" 0 ");
    QTest::newRow("no exponent form") << 1e15 << QByteArray(" 1000000000000000 ");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QByteArray(" 0 ");
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << QByteArray(" 0 ");
}

void TestProjectListFile::writesNumberLines()
{
    QFETCH(double, total);
    QFETCH(QByteArray, line);

    ProjectList list;
    list.totals[0] = total;
    const QList<QByteArray> lines = ProjectListFile::encode(list).split('\n');
    QCOMPARE(lines.at(2), line + '\r');
}

void TestProjectListFile::encodesAwkwardNamesUnchanged()
{
    QCOMPARE(ProjectListFile::encode(awkwardList()), golden(QStringLiteral("awkward.dat")));
}

void TestProjectListFile::decodesFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("userName"); // a null text: line 1 was not read
    QTest::addColumn<int>("totalsRead");
    QTest::addColumn<QList<double>>("totals");
    QTest::addColumn<QStringList>("names");

    const QList<double> exampleTotals = {3725, 60, 0, 0, 0, 0, 0, 0};
    const QStringList exampleNames = {
        QStringLiteral("Alpha"), QStringLiteral("Beta"), {}, {}, {}, {}, {}, {}};
    QTest::newRow("example") << golden(QStringLiteral("example.dat")) << true << QStringLiteral("Ann") << 8
                             << exampleTotals << exampleNames;
    QTest::newRow("bare line feeds") << golden(QStringLiteral("bare-lf.dat")) << true << QStringLiteral("Ann")
                                     << 8 << exampleTotals << exampleNames;
    QTest::newRow("last line without line end")
        << golden(QStringLiteral("example.dat")).chopped(2) << true << QStringLiteral("Ann") << 8
        << exampleTotals << exampleNames;
    QTest::newRow("more than 17 lines") << golden(QStringLiteral("more-lines.dat")) << true
                                        << QStringLiteral("Zoë") << 8 << exampleTotals << exampleNames;

    const ProjectList awkward = awkwardList();
    QTest::newRow("awkward names") << golden(QStringLiteral("awkward.dat")) << true << awkward.userName << 8
                                   << QList<double>{0, 1, -5, 86400, 3724, 3726, 2, 359999}
                                   << toList(awkward.names);
    QTest::newRow("windows-1252")
        << golden(QStringLiteral("windows1252.dat")) << true << QStringLiteral("Jürgen") << 8
        << QList<double>{120, 7, 0, 0, 0, 0, 0, 0}
        << QStringList{
               QStringLiteral("Café"), QStringLiteral("€uro ‘quoted’ – naïve"), {}, {}, {}, {}, {}, {}};

    QTest::newRow("cut after row 3's number line")
        << golden(QStringLiteral("cut-after-row3.dat")) << false << QStringLiteral("Ann") << 4
        << QList<double>{10, 20, 30, 40, 0, 0, 0, 0} << fallbackNames;
    QTest::newRow("cut after row 4's name")
        << golden(QStringLiteral("cut-after-row3.dat")) + "Epsilon\r\n"
        << false << QStringLiteral("Ann") << 4 << QList<double>{10, 20, 30, 40, 0, 0, 0, 0} << fallbackNames;
    QTest::newRow("cut inside row 3's number line")
        << golden(QStringLiteral("cut-after-row3.dat")).chopped(5) << false << QStringLiteral("Ann") << 3
        << QList<double>{10, 20, 30, 0, 0, 0, 0, 0} << fallbackNames;
    QTest::newRow("only the user's name") << QByteArray("Ann\r\n") << false << QStringLiteral("Ann") << 0
                                          << QList<double>(8, 0.0) << fallbackNames;
    QTest::newRow("one empty line") << QByteArray("\r\n") << false << QStringLiteral("") << 0
                                    << QList<double>(8, 0.0) << fallbackNames;
    QTest::newRow("empty file") << QByteArray() << false << QString() << 0 << QList<double>(8, 0.0)
                                << fallbackNames;
}

void TestProjectListFile::decodesFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, complete);
    QFETCH(QString, userName);
    QFETCH(int, totalsRead);
    QFETCH(QList<double>, totals);
    QFETCH(QStringList, names);

    const ProjectListReading reading = ProjectListFile::decode(bytes);
    QCOMPARE(reading.complete, complete);
    QCOMPARE(reading.userName.has_value(), !userName.isNull());
    QCOMPARE(reading.userName.value_or(QString()), userName);
    QCOMPARE(reading.totalsRead, totalsRead);
    QCOMPARE(toList(reading.totals), totals);
    QCOMPARE(toList(reading.names), names);
}

void TestProjectListFile::readsNumberLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("as written") << QByteArray(" 3725 ") << true << 3725.0;
    QTest::newRow("no blanks") << QByteArray("3725") << true << 3725.0;
    QTest::newRow("tabs and a fraction") << QByteArray("\t-12.5\t") << true << -12.5;
    QTest::newRow("plus sign") << QByteArray("+7") << true << 7.0;
    QTest::newRow("exponent") << QByteArray(" 1e3 ") << true << 1000.0;
    QTest::newRow("no whole part") << QByteArray(".5") << true << 0.5;
    QTest::newRow("no fraction digits") << QByteArray("5.") << true << 5.0;

    QTest::newRow("empty") << QByteArray() << false << 0.0;
    QTest::newRow("blanks only") << QByteArray("   ") << false << 0.0;
    QTest::newRow("abc") << QByteArray("abc") << false << 0.0;
    QTest::newRow("inf") << QByteArray("inf") << false << 0.0;
    QTest::newRow("-inf") << QByteArray(" -inf ") << false << 0.0;
    QTest::newRow("nan") << QByteArray("nan") << false << 0.0;
    QTest::newRow("overflows to infinity") << QByteArray("1e999") << false << 0.0;
    QTest::newRow("hexadecimal") << QByteArray("0x10") << false << 0.0;
    QTest::newRow("thousands separator") << QByteArray("1,000") << false << 0.0;
    QTest::newRow("trailing letters") << QByteArray("12abc") << false << 0.0;
    QTest::newRow("two numbers") << QByteArray(" 5 5 ") << false << 0.0;
    QTest::newRow("blank after the sign") << QByteArray("- 5") << false << 0.0;
    QTest::newRow("point alone") << QByteArray(".") << false << 0.0;
    QTest::newRow("exponent without digits") << QByteArray("1e") << false << 0.0;
}

// Row 2's number line (line 7), so that a failure shows the two totals read before it staying in place.
void TestProjectListFile::readsNumberLines()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, isNumber);
    QFETCH(double, value);

    const ProjectListReading reading = ProjectListFile::decode(exampleWithLine(7, line));
    QCOMPARE(reading.complete, isNumber);
    QCOMPARE(reading.userName.value_or(QString()), QStringLiteral("Ann"));
    if (isNumber) {
        QCOMPARE(reading.totals[2], value);
        QCOMPARE(reading.names[1], QStringLiteral("Beta"));
    } else {
        QCOMPARE(reading.totalsRead, 2);
        QCOMPARE(toList(reading.totals), (QList<double>{3725, 60, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(toList(reading.names), fallbackNames);
    }
}

void TestProjectListFile::roundTripsAwkwardNamesThroughTheFile()
{
    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
    const ProjectList list = awkwardList();

    QCOMPARE(file.save(list), std::nullopt);
    QCOMPARE(readFile(file.path()), golden(QStringLiteral("awkward.dat")));

    const ProjectListReading reading = file.load();
    QVERIFY(reading.complete);
    QCOMPARE(reading.userName.value_or(QString()), list.userName);
    QCOMPARE(toList(reading.names), toList(list.names));
    QCOMPARE(toList(reading.totals), (QList<double>{0, 1, -5, 86400, 3724, 3726, 2, 359999}));
}

void TestProjectListFile::missingFileGivesTheFallback()
{
    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));

    const ProjectListReading reading = file.load();
    QVERIFY(!reading.complete);
    QVERIFY(!reading.userName);
    QCOMPARE(reading.totalsRead, 0);
    QCOMPARE(toList(reading.totals), QList<double>(8, 0.0));
    QCOMPARE(toList(reading.names), fallbackNames);
}

void TestProjectListFile::saveIntoAFolderThatCannotBeWrittenFails_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<bool>("folderIsAFile");

    QTest::newRow("missing folder") << QStringLiteral("missing") << false;
    QTest::newRow("folder is a regular file") << QStringLiteral("plain") << true;
}

// Tests run as root, whom permissions do not stop; a folder that is missing or is a file stops anyone.
void TestProjectListFile::saveIntoAFolderThatCannotBeWrittenFails()
{
    QFETCH(QString, folderName);
    QFETCH(bool, folderIsAFile);

    QTemporaryDir temporary;
    const QString folder = temporary.filePath(folderName);
    if (folderIsAFile)
        QVERIFY(writeFile(folder, "not a folder"));
    ProjectListFile file(folder + QLatin1String("/projlist.dat"));

    const std::optional<ErrorInfo> error = file.save(exampleList());
    QVERIFY(error);
    QCOMPARE(error->number, ErrorNumber::PathNotFound);
    QCOMPARE(error->source, programErrorSource());
    QVERIFY2(error->description.contains(file.path()), qPrintable(error->description));
    QCOMPARE(QFileInfo::exists(folder), folderIsAFile);
    if (folderIsAFile)
        QCOMPARE(readFile(folder), QByteArray("not a folder"));
}

// A file size limit makes the write itself fail, as a full disk would.
void TestProjectListFile::failedWriteLeavesTheOldFileWhole()
{
    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
    const QByteArray old = golden(QStringLiteral("example.dat"));
    QVERIFY(writeFile(file.path(), old));
    QVERIFY(file.load().complete);

    std::optional<ErrorInfo> error;
    {
        const FileSizeLimit limit(16);
        error = file.save(awkwardList());
    }

    QVERIFY(error);
    QCOMPARE(error->source, programErrorSource());
    QVERIFY2(error->description.contains(file.path()), qPrintable(error->description));
    QCOMPARE(readFile(file.path()), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("projlist.dat")});
}

void TestProjectListFile::keepsAFileThatDidNotLoadOnceAsBackup()
{
    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
    const QByteArray unloaded = golden(QStringLiteral("cut-after-row3.dat"));
    QVERIFY(writeFile(file.path(), unloaded));
    QVERIFY(!file.load().complete);

    QCOMPARE(file.save(exampleList()), std::nullopt);
    QCOMPARE(readFile(file.backupPath()), unloaded);
    QCOMPARE(readFile(file.path()), golden(QStringLiteral("example.dat")));

    QCOMPARE(file.save(awkwardList()), std::nullopt);
    QCOMPARE(readFile(file.backupPath()), unloaded);
    QCOMPARE(readFile(file.path()), golden(QStringLiteral("awkward.dat")));
}

void TestProjectListFile::makesNoBackupAfterAGoodLoadOrAMissingFile_data()
{
    QTest::addColumn<bool>("fileExists");

    QTest::newRow("good load") << true;
    QTest::newRow("missing file") << false;
}

void TestProjectListFile::makesNoBackupAfterAGoodLoadOrAMissingFile()
{
    QFETCH(bool, fileExists);

    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
    if (fileExists)
        QVERIFY(writeFile(file.path(), golden(QStringLiteral("example.dat"))));
    QCOMPARE(file.load().complete, fileExists);

    QCOMPARE(file.save(awkwardList()), std::nullopt);
    QVERIFY(!QFileInfo::exists(file.backupPath()));
    QCOMPARE(readFile(file.path()), golden(QStringLiteral("awkward.dat")));
}

void TestProjectListFile::backupReplacesAnOlderBackup()
{
    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
    const QByteArray unloaded = exampleWithLine(3, "abc");
    QVERIFY(writeFile(file.path(), unloaded));
    QVERIFY(writeFile(file.backupPath(), "an older backup"));
    QVERIFY(!file.load().complete);

    QCOMPARE(file.save(exampleList()), std::nullopt);
    QCOMPARE(readFile(file.backupPath()), unloaded);
}

void TestProjectListFile::saveFailsWhenTheBackupCannotBeMade()
{
    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
    const QByteArray unloaded = golden(QStringLiteral("cut-after-row3.dat"));
    QVERIFY(writeFile(file.path(), unloaded));
    QVERIFY(QDir().mkpath(file.backupPath() + QLatin1String("/in the way")));
    QVERIFY(!file.load().complete);

    const std::optional<ErrorInfo> error = file.save(exampleList());
    QVERIFY(error);
    QVERIFY2(error->description.contains(file.backupPath()), qPrintable(error->description));
    QCOMPARE(readFile(file.path()), unloaded);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("projlist.dat")});
}

QTEST_GUILESS_MAIN(TestProjectListFile)
#include "tst_projectlistfile.moc"
