#include "reports/textreport.h"
#include "support/filesizelimit.h"

#include <QDirIterator>
#include <QMap>
#include <QtTest>

// Where a report lands and what is left when it cannot: the earlier file of the same name, and everything
// else in the folder, stay exactly as they were.
class TestReportFileWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void slashInUserNameNamesSubfolder();
    void failureLeavesFilesAsTheyWere_data();
    void failureLeavesFilesAsTheyWere();
};

namespace {

const LocalDate april18{2006, 4, 18, 3};

QString reportName(const QString &userName)
{
    return userName + QLatin1String("_04-18-2006.txt");
}

bool writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every entry below the folder with its content ("<folder>" for a folder).
QMap<QString, QByteArray> folderTree(const QString &folder)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        tree.insert(QDir(folder).relativeFilePath(file.fileName()),
                    it.fileInfo().isDir() || !file.open(QIODevice::ReadOnly) ? "<folder>" : file.readAll());
    }
    return tree;
}

} // namespace

void TestReportFileWriter::slashInUserNameNamesSubfolder()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("team")));
    const ReportSnapshot snapshot{QStringLiteral("team/Ann"), {}, {}, {}, {}};

    const ReportOutcome outcome = GenerateTextReport(snapshot, april18, folder.path());

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Written);
    const QString relative = reportName(snapshot.userName);
    QCOMPARE(outcome.fileName, folder.filePath(relative));
    const QMap<QString, QByteArray> expected = {{QStringLiteral("team"), "<folder>"},
                                                {relative, textReportBytes(snapshot, april18)}};
    QCOMPARE(folderTree(folder.path()), expected);
}

void TestReportFileWriter::failureLeavesFilesAsTheyWere_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<int>("sizeLimit"); // writing stops there, as on a full disk
    QTest::addColumn<int>("number");

    const QString ann = QStringLiteral("Ann");
    const QString here; // the temporary folder itself
    QTest::newRow("missing folder") << "missing" << ann << 0 << int(ErrorNumber::PathNotFound);
    QTest::newRow("missing subfolder in user name") << here << "team/Ann" << 0 << int(ErrorNumber::PathNotFound);
    QTest::newRow("file where the folder should be") << "blocker" << ann << 0 << int(ErrorNumber::PathNotFound);
    QTest::newRow("file where the subfolder should be")
        << here << "blocker/Ann" << 0 << int(ErrorNumber::PathNotFound);
    QTest::newRow("folder where the report should be") << here << "Dir" << 0 << int(ErrorNumber::FileAccessError);
    QTest::newRow("NUL in user name") << here << ann + QChar(0) + "x" << 0 << int(ErrorNumber::FileAccessError);
    QTest::newRow("name too long") << here << QString(300, 'x') << 0 << int(ErrorNumber::FileAccessError);
    QTest::newRow("disk full part-way") << here << ann << 40 << int(ErrorNumber::DiskFull);
}

void TestReportFileWriter::failureLeavesFilesAsTheyWere()
{
    QFETCH(QString, subfolder);
    QFETCH(QString, userName);
    QFETCH(int, sizeLimit);
    QTemporaryDir root;
    QVERIFY(writeFile(root.filePath(reportName(QStringLiteral("Ann"))), "earlier report\r\n"));
    QVERIFY(writeFile(root.filePath(QStringLiteral("blocker")), "a file, not a folder\r\n"));
    QVERIFY(QDir(root.path()).mkdir(reportName(QStringLiteral("Dir"))));
    const auto before = folderTree(root.path());
    const QString reportFolder = subfolder.isEmpty() ? root.path() : root.filePath(subfolder);

    const ReportOutcome outcome = [&] {
        const FileSizeLimit limit(sizeLimit ? rlim_t(sizeLimit) : RLIM_INFINITY);
        return GenerateTextReport(ReportSnapshot{userName, {}, {}, {}, {}}, april18, reportFolder);
    }();

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
    const QString fileName = reportFolder + QLatin1Char('/') + reportName(userName);
    QCOMPARE(outcome.fileName, fileName);
    QTEST(outcome.error.number, "number");
    QCOMPARE(outcome.error.source, QStringLiteral("Tallywick"));
    const QString prefix = QLatin1String("Cannot write the report file ") + fileName + QLatin1String(": ");
    QVERIFY2(outcome.error.description.startsWith(prefix) && outcome.error.description.size() > prefix.size(),
             qPrintable(outcome.error.description));
    QCOMPARE(folderTree(root.path()), before);
}

QTEST_GUILESS_MAIN(TestReportFileWriter)
#include "tst_reportfilewriter.moc"
