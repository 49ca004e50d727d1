#include "storage/projectlistfile.h"
#include "support/filesizelimit.h"

#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(ProjectListReading)

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray golden(const char *name)
{
    const QByteArray bytes =
        readFile(QStringLiteral(TALLYWICK_TEST_DATA "/projectlist/") + QLatin1String(name));
    if (bytes.isEmpty())
        qFatal("missing test data %s", name);
    return bytes;
}

// The example file, or another, with one line (1-based) replaced.
QByteArray exampleWithLine(int lineNumber, const QByteArray &line,
                           const QByteArray &file = golden("example.dat"))
{
    QList<QByteArray> lines = file.split('\n');
    lines[lineNumber - 1] = line + '\r';
    return lines.join('\n');
}

ProjectList exampleList()
{
    return {QStringLiteral("Ann"), {QStringLiteral("Alpha"), QStringLiteral("Beta")}, {3725.4, 60.0}};
}

// Names that splitting at commas and quotes or trimming blanks would spoil; totals whose halves round to
// even, a negative one, and one that is no number and so is written as 0.
ProjectList awkwardList()
{
    return {QStringLiteral(" Zoë, \"the boss\" "),
            {QStringLiteral("Smith, Jones and Co"), QStringLiteral("\"Quoted\" project"),
             QStringLiteral("  leading blanks"), QStringLiteral("trailing blanks  "),
             QStringLiteral("Ærø – Überstunden €"), QStringLiteral("\""), QStringLiteral(","), QString()},
            {0.5, 1.5, -5.0, 86400.0, 3724.5, 3725.5, 2.5, std::numeric_limits<double>::quiet_NaN()}};
}

const ProjectListReading example{true, "Ann", 8, {3725, 60}, {"Alpha", "Beta"}};

void compareReading(const ProjectListReading &reading, const ProjectListReading &expected)
{
    QCOMPARE(reading.complete, expected.complete);
    QCOMPARE(reading.userName.has_value(), expected.userName.has_value());
    QCOMPARE(reading.userName.value_or(QString()), expected.userName.value_or(QString()));
    QCOMPARE(reading.totalsRead, expected.totalsRead);
    QCOMPARE(QList<double>(reading.totals.begin(), reading.totals.end()),
             QList<double>(expected.totals.begin(), expected.totals.end()));
    QCOMPARE(QStringList(reading.names.begin(), reading.names.end()),
             QStringList(expected.names.begin(), expected.names.end()));
}

} // namespace

class TestProjectListFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void encodesTheExample();
    void decodesFiles_data();
    void decodesFiles();
    void roundTripsAwkwardNamesThroughTheFile();
    void missingFileGivesTheFallback();
    void failedSaveLeavesTheFolderAsItWas_data();
    void failedSaveLeavesTheFolderAsItWas();
    void backsUpWhatTheSaveWouldNotWriteBack_data();
    void backsUpWhatTheSaveWouldNotWriteBack();
    void rescueFileIsOfferedWhenNewerAndItsOwn_data();
    void rescueFileIsOfferedWhenNewerAndItsOwn();
};

void TestProjectListFile::encodesTheExample()
{
    QCOMPARE(ProjectListFile::encode(exampleList()), golden("example.dat"));
}

void TestProjectListFile::decodesFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ProjectListReading>("expected");

    QTest::newRow("example") << golden("example.dat") << example;
    QTest::newRow("bare LF") << golden("bare-lf.dat") << example;
    QTest::newRow("more than 17 lines")
        << golden("more-lines.dat") << ProjectListReading{true, "Zoë", 8, example.totals, example.names};
    QTest::newRow("windows-1252") << golden("windows1252.dat")
                                  << ProjectListReading{
                                         true, "Jürgen", 8, {120, 7}, {"Café", "€uro ‘quoted’ – naïve"}};
    QTest::newRow("cut after row 3's number line")
        << golden("cut-after-row3.dat")
        << ProjectListReading{false, "Ann", 4, {10, 20, 30, 40}, {"Project 1"}};
    QTest::newRow("empty file") << QByteArray()
                                << ProjectListReading{false, std::nullopt, 0, {}, {"Project 1"}};
    // Row 2's number line: the two totals before it stay read when it fails.
    for (const char *line : {"abc", "", "inf", "nan", "1e999", "12abc", " 5 5 "})
        QTest::addRow("total \"%s\"", line)
            << exampleWithLine(7, line) << ProjectListReading{false, "Ann", 2, {3725, 60}, {"Project 1"}};
    QTest::newRow("one stray byte among UTF-8 lines")
        << exampleWithLine(1, "Zo\xc3\xab", exampleWithLine(2, "Caf\xc3\xa9", exampleWithLine(4, "Beta\xff")))
        << ProjectListReading{true, "Zoë", 8, example.totals, {"Café", "Betaÿ"}};
    QTest::newRow("total with tabs and a fraction")
        << exampleWithLine(7, "\t-12.5\t")
        << ProjectListReading{true, "Ann", 8, {3725, 60, -12.5}, example.names};
}

void TestProjectListFile::decodesFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ProjectListReading, expected);
    compareReading(ProjectListFile::decode(bytes), expected);
}

void TestProjectListFile::roundTripsAwkwardNamesThroughTheFile()
{
    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
    const ProjectList list = awkwardList();

    QCOMPARE(file.save(list), std::nullopt);
    QCOMPARE(readFile(file.path()), golden("awkward.dat"));
    compareReading(file.load(), {true, list.userName, 8, {0, 2, -5, 86400, 3724, 3726, 2, 0}, list.names});
}

void TestProjectListFile::missingFileGivesTheFallback()
{
    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
    compareReading(file.load(), {false, std::nullopt, 0, {}, {"Project 1"}});
}

void TestProjectListFile::failedSaveLeavesTheFolderAsItWas_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<int>("sizeLimit"); // the write stops there, as on a full disk
    QTest::addColumn<bool>("backupBlocked");
    QTest::addColumn<int>("number");

    QTest::newRow("disk full") << "projlist.dat" << golden("example.dat") << 16 << false
                               << int(ErrorNumber::DiskFull);
    QTest::newRow("missing folder") << "missing/projlist.dat" << QByteArray() << 0 << false
                                    << int(ErrorNumber::PathNotFound);
    QTest::newRow("backup blocked") << "projlist.dat" << golden("cut-after-row3.dat") << 0 << true
                                    << int(ErrorNumber::FileAccessError);
}

void TestProjectListFile::failedSaveLeavesTheFolderAsItWas()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, existing);
    QFETCH(int, sizeLimit);
    QFETCH(bool, backupBlocked);
    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(fileName));
    if (!existing.isEmpty())
        QVERIFY(writeFile(file.path(), existing));
    if (backupBlocked)
        QVERIFY(QDir().mkpath(file.backupPath() + QLatin1String("/in the way")));
    QCOMPARE(file.load().complete, !existing.isEmpty() && !backupBlocked);
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const std::optional<ErrorInfo> error = [&] {
        const FileSizeLimit limit(sizeLimit ? rlim_t(sizeLimit) : RLIM_INFINITY);
        return file.save(awkwardList());
    }();

    QVERIFY(error);
    QTEST(error->number, "number");
    QCOMPARE(error->source, QStringLiteral("Tallywick"));
    const QString named = backupBlocked ? file.backupPath() : file.path();
    QVERIFY2(error->description.contains(named), qPrintable(error->description));
    QCOMPARE(readFile(file.path()), existing);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

void TestProjectListFile::backsUpWhatTheSaveWouldNotWriteBack_data()
{
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<bool>("kept");

    QTest::newRow("failed load") << golden("cut-after-row3.dat") << true;
    QTest::newRow("cut inside the last total") << exampleWithLine(17, " 12345 ").chopped(5) << true;
    QTest::newRow("100,000-character name") << exampleWithLine(2, QByteArray(100000, 'n')) << true;
    QTest::newRow("stray byte") << exampleWithLine(4, "Beta\xff") << true;
    QTest::newRow("lines after the 17th") << golden("more-lines.dat") << true;
    QTest::newRow("bare LF") << golden("bare-lf.dat") << true;
    QTest::newRow("what the program writes") << golden("example.dat") << false;
    QTest::newRow("missing file") << QByteArray() << false;
}

// The backup is made by the first save only, so a second save cannot replace it with the new list.
void TestProjectListFile::backsUpWhatTheSaveWouldNotWriteBack()
{
    QFETCH(QByteArray, existing);
    QFETCH(bool, kept);
    const QByteArray backup = kept ? existing : QByteArray("older backup");
    QTemporaryDir folder;
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
    QVERIFY(writeFile(file.backupPath(), "older backup"));
    if (!existing.isEmpty())
        QVERIFY(writeFile(file.path(), existing));
    file.load();

    QCOMPARE(file.save(exampleList()), std::nullopt);
    QCOMPARE(readFile(file.backupPath()), backup);
    QCOMPARE(file.save(awkwardList()), std::nullopt);
    QCOMPARE(readFile(file.backupPath()), backup);
    QCOMPARE(readFile(file.path()), golden("awkward.dat"));
}

void TestProjectListFile::rescueFileIsOfferedWhenNewerAndItsOwn_data()
{
    QTest::addColumn<QString>("listName"); // the list that the rescue file was written for
    QTest::addColumn<int>("listAge");      // seconds since the list was saved; 0 for no list
    QTest::addColumn<bool>("offered");

    QTest::newRow("older list") << "projlist.dat" << 60 << true;
    QTest::newRow("no list") << "projlist.dat" << 0 << true;
    QTest::newRow("list saved since") << "projlist.dat" << -60 << false;
    QTest::newRow("another copy's list") << "other/projlist.dat" << 60 << false;
}

// Offered, loaded, written as the list with the list it replaces kept, and removed at that save.
void TestProjectListFile::rescueFileIsOfferedWhenNewerAndItsOwn()
{
    QFETCH(QString, listName);
    QFETCH(int, listAge);
    QFETCH(bool, offered);
    QTemporaryDir folder;
    const QString rescuePath = folder.filePath(QStringLiteral("data/projlist.rescued.dat"));
    QVERIFY(ProjectListFile(folder.filePath(listName), rescuePath).saveRescue(awkwardList()) == std::nullopt);
    const QDateTime written = QFileInfo(rescuePath).lastModified();
    ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")), rescuePath);
    if (listAge != 0) {
        QVERIFY(writeFile(file.path(), golden("example.dat")));
        QFile list(file.path());
        QVERIFY(list.open(QIODevice::ReadWrite));
        QVERIFY(list.setFileTime(written.addSecs(-listAge), QFileDevice::FileModificationTime));
    }
    file.load();

    QCOMPARE(file.rescueTime(), offered ? std::optional<QDateTime>(written) : std::nullopt);
    if (!offered)
        return;
    QCOMPARE(file.loadRescue().names, awkwardList().names);
    QCOMPARE(file.save(awkwardList()), std::nullopt);
    QCOMPARE(readFile(file.path()), golden("awkward.dat"));
    QCOMPARE(readFile(file.backupPath()), listAge != 0 ? golden("example.dat") : QByteArray());
    QVERIFY(!QFileInfo::exists(rescuePath));
}

QTEST_GUILESS_MAIN(TestProjectListFile)
#include "tst_projectlistfile.moc"
