#include "support/fakespreadsheetserver.h"

#include "core/calendartext.h"
#include "reports/spreadsheetreport.h"

#include <QtTest>

Q_DECLARE_METATYPE(ErrorInfo)
Q_DECLARE_METATYPE(ReportOutcome::Kind)

namespace {

const LocalDate april18{2006, 4, 18, 3};

// Ann's table with rows 1 and 3 named; row 3's times still show their creation text.
const ReportSnapshot ann{"Ann",
                         {"", "Project 1", "", "Web site"},
                         {{{}, {" 1:02:03", 3723}, {}, {"0:00:00", 0}}},
                         {{{}, {" 10:00:00", 36000}, {}, {"0:00:00", 0}}},
                         {" 1:02:03", 3723}};
const QString annFile = "/docs/Ann_04-18-2006.xls";

// value: the text in brackets, for a time followed by its seconds.
QStringList enter(const QString &address, const QString &value, bool bold = false)
{
    QStringList calls = {"Range(" + address + ").Select", "ActiveCell.FormulaR1C1=" + value};
    if (bold)
        calls << "Selection.Font.FontStyle=Bold";
    return calls;
}

// The calls of a report that succeeds for Ann, before the application is released.
QStringList annCalls()
{
    return QStringList{"create", "Visible=false", "Workbooks.Add"} + enter("A1", "[Ann]") +
           enter("B1", "[Tuesday, April 18, 2006]") +
           QStringList{"Columns(A:A).ColumnWidth=25", "Columns(B:B).ColumnWidth=10",
                       "Columns(C:C).ColumnWidth=10"} +
           enter("A3", "[Project name]", true) + enter("B3", "[Daily time]", true) +
           enter("C3", "[Total time]", true) + enter("A5", "[Project 1]") + enter("B5", "[ 1:02:03] 3723 s") +
           enter("C5", "[ 10:00:00] 36000 s") + enter("A7", "[Web site]") + enter("B7", "[0:00:00] 0 s") +
           enter("C7", "[0:00:00] 0 s") + enter("A13", "[Total time:]", true) +
           enter("B13", "[ 1:02:03] 3723 s") +
           QStringList{"ActiveWorkbook.SaveAs(" + annFile + ")", "ActiveWorkbook.Close(false)", "Quit"};
}

} // namespace

class TestSpreadsheetReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void callsFollowTheStepsInOrder();
    void emptyNameStartsNoServer();
    void failureStopsAtTheFailingCall_data();
    void failureStopsAtTheFailingCall();
};

void TestSpreadsheetReport::callsFollowTheStepsInOrder()
{
    FakeSpreadsheetServer server;
    const ReportOutcome outcome = GenerateSpreadsheetReport(ann, april18, "/docs", server);

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Written);
    QCOMPARE(outcome.fileName, annFile);
    QCOMPARE(server.calls, annCalls() << "release");
}

void TestSpreadsheetReport::emptyNameStartsNoServer()
{
    ReportSnapshot snapshot = ann;
    snapshot.userName.clear();
    FakeSpreadsheetServer server;

    QCOMPARE(GenerateSpreadsheetReport(snapshot, april18, "/docs", server).kind,
             ReportOutcome::Kind::MissingName);
    QVERIFY(server.calls.isEmpty());
}

void TestSpreadsheetReport::failureStopsAtTheFailingCall_data()
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
                         "Cannot write the report file " + annFile + ": " + e.description};
    };
    const auto silent = ReportOutcome::Kind::FailedSilently;
    const auto failed = ReportOutcome::Kind::Failed;
    QTest::newRow("create") << "create" << ErrorInfo() << failed
                            << named({429, "Tallywick", "Cannot start the spreadsheet server"});
    QTest::newRow("Visible, 1004") << "Visible" << application << silent << application;
    QTest::newRow("a heading, 76") << "ActiveCell.FormulaR1C1=[Daily time]" << other << failed
                                   << named(other);
    QTest::newRow("SaveAs, 1004") << "ActiveWorkbook.SaveAs" << application << silent << application;
    QTest::newRow("Quit, 76") << "Quit" << other << failed << named(other);
}

// Nothing is called after the failing call: no save, no close, no quit; the object is only released.
void TestSpreadsheetReport::failureStopsAtTheFailingCall()
{
    QFETCH(QString, failingCall);
    QFETCH(ErrorInfo, failure);
    QFETCH(ErrorInfo, error);
    FakeSpreadsheetServer server;
    server.failAt =
        int(annCalls().indexOf(QRegularExpression(QRegularExpression::escape(failingCall) + ".*")));
    server.failure = failure;

    const ReportOutcome outcome = GenerateSpreadsheetReport(ann, april18, "/docs", server);

    QTEST(outcome.kind, "kind");
    QCOMPARE(outcome.error.number, error.number);
    QCOMPARE(outcome.error.source, error.source);
    QCOMPARE(outcome.error.description, error.description);
    QStringList expected = annCalls().mid(0, server.failAt + 1);
    if (server.failAt > 0)
        expected << "release";
    QCOMPARE(server.calls, expected);
}

QTEST_GUILESS_MAIN(TestSpreadsheetReport)
#include "tst_spreadsheetreport.moc"
