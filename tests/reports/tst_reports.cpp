#include "reports/csvreport.h"
#include "reports/spreadsheetreport.h"
#include "reports/textreport.h"
#include "support/fakespreadsheetserver.h"

#include <QtTest>

Q_DECLARE_METATYPE(ReportSnapshot)
Q_DECLARE_METATYPE(LocalDate)
Q_DECLARE_METATYPE(ErrorInfo)
Q_DECLARE_METATYPE(ReportOutcome::Kind)

namespace {

const LocalDate april18{2006, 4, 18, 3};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A snapshot of the texts alone, "name|daily|total" for each row from row 0: the text and CSV reports use
// no seconds.
ReportSnapshot shown(const QString &userName, const QStringList &rows, const QString &dailySum)
{
    ReportSnapshot snapshot{userName, {}, {}, {}, {dailySum}};
    for (std::size_t row = 0; row < std::size_t(rows.size()); ++row) {
        const QStringList texts = rows[qsizetype(row)].split(QLatin1Char('|'));
        snapshot.names[row] = texts.value(0);
        snapshot.daily[row].text = texts.value(1);
        snapshot.total[row].text = texts.value(2);
    }
    return snapshot;
}

} // namespace

// The reports: their bytes against golden files, where they land, and how each says that it failed.
class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Rows without a name leave no trace, whatever times they hold.
    void matchGoldenFiles_data()
    {
        QTest::addColumn<ReportSnapshot>("snapshot");
        QTest::addColumn<LocalDate>("date");
        QTest::addColumn<QString>("golden");
        QTest::newRow("worked example")
            << shown("Ann",
                     {"Project 1| 1:02:03| 10:00:00", "| 0:00:07| 0:00:07", "Web site| 0:00:00| 0:04:00"},
                     " 1:02:03")
            << april18 << "example";
        QTest::newRow("no named rows")
            << shown("Ann", {}, " 0:00:00") << LocalDate{2006, 1, 1, 1} << "no_rows";
        // A name of blanks takes part; so does a box that shows its creation text. Names go in unchanged.
        const QString unnamed = QStringLiteral("| 9:09:09| 99:09:09");
        QTest::newRow("awkward") << shown("Smith, Ann",
                                          {"Alpha| 0:10:00| 2:00:00", unnamed, " | 0:00:01| 0:00:01",
                                           "Say \"hi\", world| 0:01:00| 0:02:00", "Web site|0:00:00|0:00:00",
                                           unnamed, "a,b| 0:03:00| 123:45:06", unnamed},
                                          " 0:30:30")
                                 << april18 << "awkward";
        QTest::newRow("non-ASCII in UTF-8")
            << shown("Zoë", {"", "", "", "Café €| 0:00:05| 0:00:06"}, " 0:00:05")
            << LocalDate{2005, 12, 31, 7} << "utf8";
    }
    void matchGoldenFiles()
    {
        QFETCH(ReportSnapshot, snapshot);
        QFETCH(LocalDate, date);
        QFETCH(QString, golden);
        const QString goldenFile = QStringLiteral(TALLYWICK_TEST_DATA "/reports/") + golden;
        QCOMPARE(textReportBytes(snapshot, date).split('\n'), readFile(goldenFile + ".txt").split('\n'));
        QCOMPARE(csvReportBytes(snapshot, date).split('\n'), readFile(goldenFile + ".csv").split('\n'));
    }

    // A "/" in the user's name names a subfolder. A report that cannot be written names its file in the
    // error; one without a user's name is not written at all.
    void fileReportLandsOrSaysWhy()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("team")));
        ReportSnapshot snapshot = shown("team/Ann", {"Web site| 0:00:01| 0:00:02"}, " 0:00:01");
        ReportOutcome outcome = GenerateCsvReport(snapshot, april18, folder.path());
        QCOMPARE(outcome.kind, ReportOutcome::Kind::Written);
        QCOMPARE(outcome.fileName, folder.filePath(QStringLiteral("team/Ann_04-18-2006.csv")));
        QCOMPARE(readFile(outcome.fileName), csvReportBytes(snapshot, april18));

        outcome = GenerateTextReport(snapshot, april18, folder.filePath(QStringLiteral("missing")));
        QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
        QCOMPARE(outcome.fileName, folder.filePath(QStringLiteral("missing/team/Ann_04-18-2006.txt")));
        QCOMPARE(outcome.error.number, int(ErrorNumber::PathNotFound));
        QCOMPARE(outcome.error.source, QStringLiteral("Tallywick"));
        const QString prefix = "Cannot write the report file " + outcome.fileName + ": ";
        QVERIFY2(outcome.error.description.startsWith(prefix) &&
                     outcome.error.description.size() > prefix.size(),
                 qPrintable(outcome.error.description));

        snapshot.userName.clear();
        QCOMPARE(GenerateTextReport(snapshot, april18, folder.path()).kind, ReportOutcome::Kind::MissingName);
        FakeSpreadsheetServer server;
        QCOMPARE(GenerateSpreadsheetReport(snapshot, april18, folder.path(), server).kind,
                 ReportOutcome::Kind::MissingName);
        QVERIFY(server.calls.isEmpty());
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList("team"));
    }

    void spreadsheetStopsAtTheFailingCall_data()
    {
        QTest::addColumn<QString>("failingCall");
        QTest::addColumn<ErrorInfo>("failure");
        QTest::addColumn<ReportOutcome::Kind>("kind");
        QTest::addColumn<ErrorInfo>("error");
        const ErrorInfo application{1004, "Fake", "Cannot access the file"};
        const ErrorInfo other{76, "Fake", "Path not found"};
        // Every error in a box names the report file.
        const auto named = [](const ErrorInfo &e) {
            return ErrorInfo{e.number, e.source,
                             "Cannot write the report file /docs/Ann_04-18-2006.xls: " + e.description};
        };
        const auto silent = ReportOutcome::Kind::FailedSilently;
        const auto failed = ReportOutcome::Kind::Failed;
        QTest::newRow("create") << "create" << ErrorInfo() << failed
                                << named({429, "Tallywick", "Cannot start the spreadsheet server"});
        QTest::newRow("Visible, 1004") << "Visible=false" << application << silent << application;
        QTest::newRow("a heading, 76")
            << "ActiveCell.FormulaR1C1=[Daily time]" << other << failed << named(other);
        QTest::newRow("SaveAs, 1004")
            << "ActiveWorkbook.SaveAs(/docs/Ann_04-18-2006.xls)" << application << silent << application;
        QTest::newRow("Quit, 76") << "Quit" << other << failed << named(other);
    }
    // Nothing is called after the failing call, no save, no close, no quit; the object is only released.
    void spreadsheetStopsAtTheFailingCall()
    {
        QFETCH(QString, failingCall);
        QFETCH(ErrorInfo, failure);
        QFETCH(ErrorInfo, error);
        const ReportSnapshot ann = shown("Ann", {"Web site| 0:00:01| 0:00:02"}, " 0:00:01");
        FakeSpreadsheetServer succeeding;
        QCOMPARE(GenerateSpreadsheetReport(ann, april18, "/docs", succeeding).kind,
                 ReportOutcome::Kind::Written);
        FakeSpreadsheetServer server;
        server.failAt = int(succeeding.calls.indexOf(failingCall));
        QVERIFY(server.failAt >= 0);
        server.failure = failure;

        const ReportOutcome outcome = GenerateSpreadsheetReport(ann, april18, "/docs", server);

        QTEST(outcome.kind, "kind");
        QCOMPARE(outcome.error.number, error.number);
        QCOMPARE(outcome.error.source, error.source);
        QCOMPARE(outcome.error.description, error.description);
        QStringList expected = succeeding.calls.mid(0, server.failAt + 1);
        if (server.failAt > 0)
            expected << "release";
        QCOMPARE(server.calls, expected);
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "tst_reports.moc"
