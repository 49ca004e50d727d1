#include "reportfixtures.h"
#include "reports/csvreport.h"
#include "reports/textreport.h"

#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <csignal>
#include <sys/resource.h>

namespace {

struct ReportKind
{
    const char *name;
    ReportOutcome (*generate)(const ReportSnapshot &, const LocalDate &, const QString &);
    QByteArray (*bytes)(const ReportSnapshot &, const LocalDate &);
    QString extension;
};

const std::array<ReportKind, 2> &reportKinds()
{
    static const std::array<ReportKind, 2> kinds = {{
        {"text", GenerateTextReport, textReportBytes, QStringLiteral(".txt")},
        {"csv", GenerateCsvReport, csvReportBytes, QStringLiteral(".csv")},
    }};
    return kinds;
}

const ReportKind &kindAt(int index)
{
    return reportKinds().at(std::size_t(index));
}

void addKindRows()
{
    QTest::addColumn<int>("kind");
    for (std::size_t i = 0; i < reportKinds().size(); ++i)
        QTest::newRow(reportKinds()[i].name) << int(i);
}

QString reportName(const QString &userName, const ReportKind &kind)
{
    return userName + QLatin1String("_04-18-2006") + kind.extension;
}

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every entry below the folder with its content, so a test can tell that nothing was created or changed.
QMap<QString, QByteArray> folderTree(const QString &folder)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        tree.insert(QDir(folder).relativeFilePath(path),
                    it.fileInfo().isDir() ? QByteArray("<folder>") : readFile(path));
    }
    return tree;
}

// Limits the size of any file this process writes, for as long as it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        // Past the limit a write fails with EFBIG instead of ending the process.
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    bool isActive() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace

class TestReportFileWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void missingNameTouchesNothing_data() { addKindRows(); }
    void missingNameTouchesNothing();
    void writesReportUnderItsName_data() { addKindRows(); }
    void writesReportUnderItsName();
    void sameReportTwiceReplacesFile_data() { addKindRows(); }
    void sameReportTwiceReplacesFile();
    void slashInUserNameNamesSubfolder_data() { addKindRows(); }
    void slashInUserNameNamesSubfolder();
    void failureLeavesFilesAsTheyWere_data();
    void failureLeavesFilesAsTheyWere();
    void failedWriteKeepsEarlierReport_data() { addKindRows(); }
    void failedWriteKeepsEarlierReport();
};

void TestReportFileWriter::missingNameTouchesNothing()
{
    QFETCH(int, kind);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    writeFile(folder.filePath(reportName(QString(), kindAt(kind))), "earlier\r\n");
    const auto before = folderTree(folder.path());

    const ReportOutcome outcome = kindAt(kind).generate(
        ReportFixtures::blankWindow(QString()), ReportFixtures::tuesdayApril18of2006(), folder.path());

    QCOMPARE(outcome.kind, ReportOutcome::Kind::MissingName);
    QVERIFY(outcome.fileName.isEmpty());
    QCOMPARE(folderTree(folder.path()), before);
}

void TestReportFileWriter::writesReportUnderItsName()
{
    QFETCH(int, kind);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const LocalDate day = ReportFixtures::tuesdayApril18of2006();
    const ReportSnapshot snapshot = ReportFixtures::annExample();

    const ReportOutcome outcome = kindAt(kind).generate(snapshot, day, folder.path());

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Written);
    QCOMPARE(outcome.fileName,
             folder.path() + QLatin1Char('/') + reportName(QStringLiteral("Ann"), kindAt(kind)));
    // Only the report itself: no working copy is left behind.
    const QMap<QString, QByteArray> expected = {
        {reportName(QStringLiteral("Ann"), kindAt(kind)), kindAt(kind).bytes(snapshot, day)}};
    QCOMPARE(folderTree(folder.path()), expected);
}

void TestReportFileWriter::sameReportTwiceReplacesFile()
{
    QFETCH(int, kind);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const LocalDate day = ReportFixtures::tuesdayApril18of2006();
    const ReportSnapshot second = ReportFixtures::blankWindow(QStringLiteral("Ann"));

    const ReportOutcome first = kindAt(kind).generate(ReportFixtures::annExample(), day, folder.path());
    const ReportOutcome again = kindAt(kind).generate(second, day, folder.path());

    QCOMPARE(first.kind, ReportOutcome::Kind::Written);
    QCOMPARE(again.kind, ReportOutcome::Kind::Written);
    QCOMPARE(again.fileName, first.fileName);
    // The second report is shorter, so a file that was not emptied would show the first one's tail.
    const QMap<QString, QByteArray> expected = {
        {reportName(QStringLiteral("Ann"), kindAt(kind)), kindAt(kind).bytes(second, day)}};
    QCOMPARE(folderTree(folder.path()), expected);
}

void TestReportFileWriter::slashInUserNameNamesSubfolder()
{
    QFETCH(int, kind);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("team")));
    const LocalDate day = ReportFixtures::tuesdayApril18of2006();
    const ReportSnapshot snapshot = ReportFixtures::blankWindow(QStringLiteral("team/Ann"));

    const ReportOutcome outcome = kindAt(kind).generate(snapshot, day, folder.path());

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Written);
    const QString relative = reportName(QStringLiteral("team/Ann"), kindAt(kind));
    QCOMPARE(outcome.fileName, folder.filePath(relative));
    const QMap<QString, QByteArray> expected = {{QStringLiteral("team"), "<folder>"},
                                                {relative, kindAt(kind).bytes(snapshot, day)}};
    QCOMPARE(folderTree(folder.path()), expected);
}

void TestReportFileWriter::failureLeavesFilesAsTheyWere_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<int>("number");
    struct Case
    {
        const char *name;
        QString subfolder;
        QString userName;
        int number;
    };
    const QString ann = QStringLiteral("Ann");
    const std::array<Case, 7> cases = {{
        {"missing folder", QStringLiteral("missing"), ann, ErrorNumber::PathNotFound},
        {"missing subfolder in user name", QString(), QStringLiteral("team/Ann"), ErrorNumber::PathNotFound},
        {"file where the folder should be", QStringLiteral("blocker"), ann, ErrorNumber::PathNotFound},
        {"file where the subfolder should be", QString(), QStringLiteral("blocker/Ann"),
         ErrorNumber::PathNotFound},
        {"folder where the report should be", QString(), QStringLiteral("Dir"), ErrorNumber::FileAccessError},
        {"NUL in user name", QString(), QStringLiteral("Ann") + QChar(0) + QStringLiteral("x"),
         ErrorNumber::FileAccessError},
        {"name too long", QString(), QString(300, QLatin1Char('x')), ErrorNumber::FileAccessError},
    }};
    for (std::size_t i = 0; i < reportKinds().size(); ++i) {
        for (const Case &c : cases)
            QTest::addRow("%s: %s", reportKinds()[i].name, c.name)
                << int(i) << c.subfolder << c.userName << c.number;
    }
}

void TestReportFileWriter::failureLeavesFilesAsTheyWere()
{
    QFETCH(int, kind);
    QFETCH(QString, subfolder);
    QFETCH(QString, userName);
    QFETCH(int, number);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    writeFile(root.filePath(reportName(QStringLiteral("Ann"), kindAt(kind))), "earlier report\r\n");
    writeFile(root.filePath(QStringLiteral("blocker")), "a file, not a folder\r\n");
    QVERIFY(QDir(root.path()).mkdir(reportName(QStringLiteral("Dir"), kindAt(kind))));
    const auto before = folderTree(root.path());
    const QString reportFolder = subfolder.isEmpty() ? root.path() : root.filePath(subfolder);

    const ReportOutcome outcome = kindAt(kind).generate(ReportFixtures::blankWindow(userName),
                                                        ReportFixtures::tuesdayApril18of2006(), reportFolder);

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
    const QString fileName = reportFolder + QLatin1Char('/') + reportName(userName, kindAt(kind));
    QCOMPARE(outcome.fileName, fileName);
    QCOMPARE(outcome.error.number, number);
    QCOMPARE(outcome.error.source, programErrorSource());
    const QString prefix = QLatin1String("Cannot write the report file ") + fileName + QLatin1String(": ");
    QVERIFY2(outcome.error.description.startsWith(prefix), qPrintable(outcome.error.description));
    QVERIFY(outcome.error.description.size() > prefix.size());
    QCOMPARE(folderTree(root.path()), before);
}

void TestReportFileWriter::failedWriteKeepsEarlierReport()
{
    QFETCH(int, kind);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString earlier = reportName(QStringLiteral("Ann"), kindAt(kind));
    writeFile(folder.filePath(earlier), "earlier report\r\n");

    ReportOutcome outcome;
    {
        // Any report is longer than this, so writing stops part-way as on a full disk.
        const FileSizeLimit limit(40);
        if (!limit.isActive())
            QSKIP("cannot limit the file size here");
        outcome = kindAt(kind).generate(ReportFixtures::annExample(), ReportFixtures::tuesdayApril18of2006(),
                                        folder.path());
    }

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
    QCOMPARE(outcome.error.number, ErrorNumber::DiskFull);
    QVERIFY2(outcome.error.description.contains(QLatin1String("too large")),
             qPrintable(outcome.error.description));
    const QMap<QString, QByteArray> expected = {{earlier, "earlier report\r\n"}};
    QCOMPARE(folderTree(folder.path()), expected);
}

QTEST_GUILESS_MAIN(TestReportFileWriter)
#include "tst_reportfilewriter.moc"
