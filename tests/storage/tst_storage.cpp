#include "storage/projectlistfile.h"
#include "storage/projectlistfolder.h"
#include "support/filesizelimit.h"

#include <QtTest>

#include <limits>

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
    return readFile(QStringLiteral(TALLYWICK_PROJECTLIST_DATA "/") + QLatin1String(name));
}

// The example file with one line (1-based) replaced.
QByteArray exampleWithLine(int lineNumber, const QByteArray &line)
{
    QList<QByteArray> lines = golden("example.dat").split('\n');
    lines[lineNumber - 1] = line + '\r';
    return lines.join('\n');
}

// A reading as one line, so that a failed comparison shows every field.
QString describe(const ProjectListReading &reading)
{
    QStringList totals;
    for (const double total : reading.totals)
        totals << QString::number(total, 'g', 17);
    return QStringList{reading.complete ? "complete" : "incomplete", reading.userName.value_or("(no name)"),
                       QString::number(reading.totalsRead), totals.join(' '),
                       QStringList(reading.names.begin(), reading.names.end()).join('|')}
        .join(" / ");
}

const ProjectList exampleList{"Ann", {"Alpha", "Beta"}, {3725.4, 60.0}};

// Names that splitting at commas and quotes or trimming blanks would spoil; totals whose halves round to
// even, a negative one, a million seconds and more, and one that is no number and so is written as 0.
const ProjectList awkwardList{
    " Zoë, \"the boss\" ",
    {"Smith, Jones and Co", "\"Quoted\" project", "  leading blanks", "trailing blanks  ",
     "Ærø – Überstunden €", "\"", ",", ""},
    {0.5, 1.5, -5.0, 1000000.5, 3724.5, 3725.5, 2.5, std::numeric_limits<double>::quiet_NaN()}};

} // namespace

// The project list file, the whole-file writer beneath it and the rule for its folder.
class TestStorage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // clang-format off
    void decodesFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        using R = ProjectListReading;
        const R example{true, "Ann", 8, {3725, 60}, {"Alpha", "Beta"}};

        QTest::newRow("example") << golden("example.dat") << describe(example);
        QTest::newRow("bare LF") << golden("bare-lf.dat") << describe(example);
        QTest::newRow("more than 17 lines") << golden("more-lines.dat")
            << describe(R{true, "Zoë", 8, example.totals, example.names});
        QTest::newRow("windows-1252") << golden("windows1252.dat")
            << describe(R{true, "Jürgen", 8, {120, 7}, {"Café", "€uro ‘quoted’ – naïve"}});
        QTest::newRow("cut after row 3's number line") << golden("cut-after-row3.dat")
            << describe(R{false, "Ann", 4, {10, 20, 30, 40}, {"Project 1"}});
        QTest::newRow("empty file") << QByteArray() << describe(R{false, std::nullopt, 0, {}, {"Project 1"}});
        // Row 2's number line: the two totals before it stay read when it fails.
        for (const char *line : {"abc", "", "inf", "nan", "1e999", "12abc", " 5 5 "})
            QTest::addRow("total \"%s\"", line) << exampleWithLine(7, line)
                << describe(R{false, "Ann", 2, {3725, 60}, {"Project 1"}});
        QTest::newRow("one stray byte among UTF-8 lines")
            << exampleWithLine(1, "Zo\xc3\xab").replace("Beta", "Beta\xff")
            << describe(R{true, "Zoë", 8, example.totals, {"Alpha", "Betaÿ"}});
        QTest::newRow("total with tabs and a fraction") << exampleWithLine(7, "\t-12.5\t")
            << describe(R{true, "Ann", 8, {3725, 60, -12.5}, example.names});
    }
    // clang-format on
    void decodesFiles()
    {
        QFETCH(QByteArray, bytes);
        QTEST(describe(ProjectListFile::decode(bytes)), "expected");
    }

    void roundTripsAwkwardNamesThroughTheFile()
    {
        QCOMPARE(ProjectListFile::encode(exampleList), golden("example.dat"));
        QTemporaryDir folder;
        ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
        QCOMPARE(file.save(awkwardList), std::nullopt);
        QCOMPARE(readFile(file.path()), golden("awkward.dat"));
        QCOMPARE(describe(file.load()), describe({true, awkwardList.userName, 8,
                                                  {0, 2, -5, 1000000, 3724, 3726, 2, 0}, awkwardList.names}));
    }

    // A save that fails says why and names the file it could not write: the project list, or the backup
    // that must be made first. The earlier list and everything else in the folder stay as they were.
    // clang-format off
    void failedSaveLeavesTheFolderAsItWas_data()
    {
        // The list's name in a folder that holds the file "blocker".
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<int>("sizeLimit"); // the write stops there, as on a full disk
        QTest::addColumn<int>("number");
        const auto row = [](const char *tag, const QString &name, ErrorNumber::Value number,
                            const QByteArray &existing = {}, int sizeLimit = 0) {
            QTest::newRow(tag) << name << existing << sizeLimit << int(number);
        };
        namespace E = ErrorNumber;
        row("disk full", "projlist.dat", E::DiskFull, golden("example.dat"), 16);
        row("backup blocked", "projlist.dat", E::FileAccessError, golden("cut-after-row3.dat"));
        row("a file where the folder should be", "blocker/projlist.dat", E::PathNotFound);
        row("NUL in the name", QStringLiteral("projlist.dat") + QChar(0) + "x", E::FileAccessError);
    }
    // clang-format on
    void failedSaveLeavesTheFolderAsItWas()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, existing);
        QFETCH(int, sizeLimit);
        QTemporaryDir folder;
        ProjectListFile file(folder.path() + QLatin1Char('/') + name);
        QVERIFY(writeFile(folder.filePath(QStringLiteral("blocker")), "a file, not a folder"));
        const bool backupBlocked = !existing.isEmpty() && sizeLimit == 0;
        if (!existing.isEmpty()) {
            QVERIFY(writeFile(file.path(), existing));
            QVERIFY(!backupBlocked || QDir().mkpath(file.backupPath() + QLatin1String("/in the way")));
            file.load();
        }
        const QStringList before =
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        const ErrorInfo error = [&] {
            const FileSizeLimit limit(sizeLimit ? rlim_t(sizeLimit) : RLIM_INFINITY);
            return file.save(awkwardList);
        }().value_or(ErrorInfo());

        QTEST(error.number, "number");
        QCOMPARE(error.source, QStringLiteral("Tallywick"));
        const QString named = backupBlocked ? file.backupPath() : file.path();
        QVERIFY2(error.description.contains(named) && !error.description.endsWith(": "),
                 qPrintable(error.description));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 before);
        QCOMPARE(readFile(file.path()), existing);
    }

    void backsUpWhatTheSaveWouldNotWriteBack_data()
    {
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<bool>("kept");
        QTest::newRow("failed load") << golden("cut-after-row3.dat") << true;
        QTest::newRow("cut inside the last total") << exampleWithLine(17, " 12345 ").chopped(5) << true;
        QTest::newRow("100,000-character name") << exampleWithLine(2, QByteArray(100000, 'n')) << true;
        QTest::newRow("what the program writes") << golden("example.dat") << false;
    }
    // The backup is made by the first save only, so a second save cannot replace it with the new list.
    void backsUpWhatTheSaveWouldNotWriteBack()
    {
        QFETCH(QByteArray, existing);
        QFETCH(bool, kept);
        const QByteArray backup = kept ? existing : QByteArray("older backup");
        QTemporaryDir folder;
        ProjectListFile file(folder.filePath(QStringLiteral("projlist.dat")));
        QVERIFY(writeFile(file.backupPath(), "older backup"));
        QVERIFY(writeFile(file.path(), existing));
        file.load();

        QCOMPARE(file.save(exampleList), std::nullopt);
        QCOMPARE(readFile(file.backupPath()), backup);
        QCOMPARE(file.save(awkwardList), std::nullopt);
        QCOMPARE(readFile(file.backupPath()), backup);
        QCOMPARE(readFile(file.path()), golden("awkward.dat"));
    }

    void rescueFileIsOfferedWhenNewerAndItsOwn_data()
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
    void rescueFileIsOfferedWhenNewerAndItsOwn()
    {
        QFETCH(QString, listName);
        QFETCH(int, listAge);
        QFETCH(bool, offered);
        QTemporaryDir folder;
        const QString rescuePath = folder.filePath(QStringLiteral("data/projlist.rescued.dat"));
        QCOMPARE(ProjectListFile(folder.filePath(listName), rescuePath).saveRescue(awkwardList),
                 std::nullopt);
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
        QCOMPARE(file.loadRescue().names, awkwardList.names);
        QCOMPARE(file.save(awkwardList), std::nullopt);
        QCOMPARE(readFile(file.path()), golden("awkward.dat"));
        QCOMPARE(readFile(file.backupPath()), listAge != 0 ? golden("example.dat") : QByteArray());
        QVERIFY(!QFileInfo::exists(rescuePath));
    }

    // The list beside the program goes into a data folder that has none; the one beside the program stays.
    void takesOverTheListBesideTheProgram()
    {
        QTemporaryDir program;
        QTemporaryDir data;
        const QString beside = program.filePath(QStringLiteral("projlist.dat"));
        for (const char *bytes : {"", "beside", "changed"}) { // first none beside
            QVERIFY(!*bytes || writeFile(beside, bytes));
            ProjectListFolder::takeOverListBesideProgram(program.path(), data.path());
        }
        QCOMPARE(readFile(data.filePath(QStringLiteral("projlist.dat"))), QByteArray("beside"));
        QCOMPARE(readFile(beside), QByteArray("changed"));
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
