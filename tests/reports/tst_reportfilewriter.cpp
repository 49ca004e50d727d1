#include "reportfixtures.h"
#include "reports/textreport.h"
#include "support/filesizelimit.h"

#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <array>

// Where a report lands and what is left when it cannot: the earlier file of the same name, and everything
// else in the folder, stay exactly as they were.
class TestReportFileWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void slashInUserNameNamesSubfolder();
    void failureLeavesFilesAsTheyWere_data();
    void failureLeavesFilesAsTheyWere();
};

namespace {

QString reportName(const QString &userName)
{
    return userName + QLatin1String("_04-18-2006.txt");
}

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Every entry below the folder with its content, so a test can tell that nothing was created or changed.
QMap<QString, QByteArray> folderTree(const QString &folder)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        const bool isFolder = it.fileInfo().isDir();
        tree.insert(QDir(folder).relativeFilePath(path),
                    isFolder
                        ? QByteArray("<folder>")
                        : (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>")));
    }
    return tree;
}

} // namespace

void TestReportFileWriter::slashInUserNameNamesSubfolder()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("team")));
    const LocalDate day = ReportFixtures::tuesdayApril18of2006();
    const ReportSnapshot snapshot = ReportFixtures::blankWindow(QStringLiteral("team/Ann"));

    const ReportOutcome outcome = GenerateTextReport(snapshot, day, folder.path());

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Written);
    const QString relative = reportName(QStringLiteral("team/Ann"));
    QCOMPARE(outcome.fileName, folder.filePath(relative));
    const QMap<QString, QByteArray> expected = {{QStringLiteral("team"), "<folder>"},
                                                {relative, textReportBytes(snapshot, day)}};
    QCOMPARE(folderTree(folder.path()), expected);
}

void TestReportFileWriter::failureLeavesFilesAsTheyWere_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<int>("sizeLimit");
    QTest::addColumn<int>("number");

    const QString ann = QStringLiteral("Ann");
    QTest::newRow("missing folder") << "missing" << ann << 0 << ErrorNumber::PathNotFound;
    QTest::newRow("missing subfolder in user name") << ""
                                                    << "team/Ann" << 0 << ErrorNumber::PathNotFound;
    QTest::newRow("file where the folder should be") << "blocker" << ann << 0 << ErrorNumber::PathNotFound;
    QTest::newRow("file where the subfolder should be") << ""
                                                        << "blocker/Ann" << 0 << ErrorNumber::PathNotFound;
    QTest::newRow("folder where the report should be") << ""
                                                       << "Dir" << 0 << ErrorNumber::FileAccessError;
    QTest::newRow("NUL in user name")
        << "" << QString(ann + QChar(0) + QLatin1Char('x')) << 0 << ErrorNumber::FileAccessError;
    QTest::newRow("name too long") << "" << QString(300, QLatin1Char('x')) << 0
                                   << ErrorNumber::FileAccessError;
    // Any report is longer than this, so writing stops part-way as on a full disk.
    QTest::newRow("disk full part-way") << "" << ann << 40 << ErrorNumber::DiskFull;
}

void TestReportFileWriter::failureLeavesFilesAsTheyWere()
{
    QFETCH(QString, subfolder);
    QFETCH(QString, userName);
    QFETCH(int, sizeLimit);
    QFETCH(int, number);
    QTemporaryDir root;
    writeFile(root.filePath(reportName(QStringLiteral("Ann"))), "earlier report\r\n");
    writeFile(root.filePath(QStringLiteral("blocker")), "a file, not a folder\r\n");
    QVERIFY(QDir(root.path()).mkdir(reportName(QStringLiteral("Dir"))));
    const auto before = folderTree(root.path());
    const QString reportFolder = subfolder.isEmpty() ? root.path() : root.filePath(subfolder);

    ReportOutcome outcome;
    {
        const std::optional<FileSizeLimit> limit =
            sizeLimit ? std::make_optional<FileSizeLimit>(rlim_t(sizeLimit)) : std::nullopt;
        outcome = GenerateTextReport(ReportFixtures::blankWindow(userName),
                                     ReportFixtures::tuesdayApril18of2006(), reportFolder);
    }

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
    const QString fileName = reportFolder + QLatin1Char('/') + reportName(userName);
    QCOMPARE(outcome.fileName, fileName);
    QCOMPARE(outcome.error.number, number);
    QCOMPARE(outcome.error.source, programErrorSource());
    const QString prefix = QLatin1String("Cannot write the report file ") + fileName + QLatin1String(": ");
    QVERIFY2(outcome.error.description.startsWith(prefix), qPrintable(outcome.error.description));
    QVERIFY(outcome.error.description.size() > prefix.size());
    QCOMPARE(folderTree(root.path()), before);
}

QTEST_GUILESS_MAIN(TestReportFileWriter)
#include "tst_reportfilewriter.moc"
