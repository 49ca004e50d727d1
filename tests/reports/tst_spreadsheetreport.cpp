#include "support/fakespreadsheetserver.h"

#include "core/calendartext.h"
#include "reports/spreadsheetreport.h"

#include <QtTest>

Q_DECLARE_METATYPE(ReportOutcome::Kind)

namespace {

const LocalDate april18{2006, 4, 18, 3};
const QString folder = QStringLiteral("/docs");

// Ann's table with rows 1 and 3 named; row 3's times still show their creation text.
ReportSnapshot annSnapshot()
{
    ReportSnapshot snapshot;
    snapshot.userName = QStringLiteral("Ann");
    for (std::size_t r = 0; r < 8; ++r) {
        snapshot.dailyTexts[r] = QStringLiteral(" 0:00:00");
        snapshot.totalTexts[r] = QStringLiteral(" 0:00:00");
    }
    snapshot.names[1] = QStringLiteral("Project 1");
    snapshot.dailyTexts[1] = QStringLiteral(" 1:02:03");
    snapshot.totalTexts[1] = QStringLiteral(" 10:00:00");
    snapshot.names[3] = QStringLiteral("Web site");
    snapshot.dailyTexts[3] = QStringLiteral("0:00:00");
    snapshot.totalTexts[3] = QStringLiteral("0:00:00");
    snapshot.dailySumText = QStringLiteral(" 1:02:03");
    return snapshot;
}

// The calls of a report that succeeds for annSnapshot(), before the application is released.
QStringList annCalls()
{
    return {
        "create",
        "Visible=false",
        "Workbooks.Add",
        "Range(A1).Select",
        "ActiveCell.FormulaR1C1=[Ann]",
        "Range(B1).Select",
        "ActiveCell.FormulaR1C1=[Tuesday, April 18, 2006]",
        "Columns(A:A).ColumnWidth=25",
        "Columns(B:B).ColumnWidth=10",
        "Columns(C:C).ColumnWidth=10",
        "Range(A3).Select",
        "ActiveCell.FormulaR1C1=[Project name]",
        "Selection.Font.FontStyle=Bold",
        "Range(B3).Select",
        "ActiveCell.FormulaR1C1=[Daily time]",
        "Selection.Font.FontStyle=Bold",
        "Range(C3).Select",
        "ActiveCell.FormulaR1C1=[Total time]",
        "Selection.Font.FontStyle=Bold",
        "Range(A5).Select",
        "ActiveCell.FormulaR1C1=[Project 1]",
        "Range(B5).Select",
        "ActiveCell.FormulaR1C1=[ 1:02:03]",
        "Range(C5).Select",
        "ActiveCell.FormulaR1C1=[ 10:00:00]",
        "Range(A7).Select",
        "ActiveCell.FormulaR1C1=[Web site]",
        "Range(B7).Select",
        "ActiveCell.FormulaR1C1=[0:00:00]",
        "Range(C7).Select",
        "ActiveCell.FormulaR1C1=[0:00:00]",
        "Range(A13).Select",
        "ActiveCell.FormulaR1C1=[Total time:]",
        "Selection.Font.FontStyle=Bold",
        "Range(B13).Select",
        "ActiveCell.FormulaR1C1=[ 1:02:03]",
        "ActiveWorkbook.SaveAs(/docs/Ann_04-18-2006.xls,-4143,[],[],false,false,1)",
        "ActiveWorkbook.Close(false)",
        "Quit",
    };
}

} // namespace

class TestSpreadsheetReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void callsFollowTheStepsInOrder();
    void everyRowNamedFillsRowsFourToEleven();
    void emptyNameStartsNoServer();
    void failureStopsAtTheFailingCall_data();
    void failureStopsAtTheFailingCall();
    void serverThatGivesNoReasonStillFails();
};

void TestSpreadsheetReport::callsFollowTheStepsInOrder()
{
    FakeSpreadsheetServer server;
    const ReportOutcome outcome = GenerateSpreadsheetReport(annSnapshot(), april18, folder, server);

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Written);
    QCOMPARE(outcome.fileName, QStringLiteral("/docs/Ann_04-18-2006.xls"));
    QCOMPARE(server.calls, annCalls() << "release");
}

void TestSpreadsheetReport::everyRowNamedFillsRowsFourToEleven()
{
    ReportSnapshot snapshot = annSnapshot();
    for (std::size_t r = 0; r < 8; ++r)
        snapshot.names[r] = r == 6 ? QStringLiteral("   ") : QStringLiteral("P%1").arg(r);
    FakeSpreadsheetServer server;
    GenerateSpreadsheetReport(snapshot, april18, folder, server);

    const QStringList selectedNameCells =
        server.calls.filter(QRegularExpression("^Range\\(A([4-9]|1[01])\\)"));
    QCOMPARE(selectedNameCells,
             QStringList({"Range(A4).Select", "Range(A5).Select", "Range(A6).Select", "Range(A7).Select",
                          "Range(A8).Select", "Range(A9).Select", "Range(A10).Select", "Range(A11).Select"}));
    QVERIFY(server.calls.contains("ActiveCell.FormulaR1C1=[   ]"));
}

void TestSpreadsheetReport::emptyNameStartsNoServer()
{
    ReportSnapshot snapshot = annSnapshot();
    snapshot.userName.clear();
    FakeSpreadsheetServer server;
    const ReportOutcome outcome = GenerateSpreadsheetReport(snapshot, april18, folder, server);

    QCOMPARE(outcome.kind, ReportOutcome::Kind::MissingName);
    QVERIFY(server.calls.isEmpty());
}

void TestSpreadsheetReport::failureStopsAtTheFailingCall_data()
{
    QTest::addColumn<int>("failAt");
    QTest::addColumn<int>("number");
    QTest::addColumn<ReportOutcome::Kind>("kind");

    const QStringList calls = annCalls();
    for (int i = 0; i < calls.size(); ++i) {
        QTest::addRow("1004 at %d %s", i, qPrintable(calls.at(i)))
            << i << 1004 << ReportOutcome::Kind::FailedSilently;
        QTest::addRow("76 at %d %s", i, qPrintable(calls.at(i))) << i << 76 << ReportOutcome::Kind::Failed;
    }
}

void TestSpreadsheetReport::failureStopsAtTheFailingCall()
{
    QFETCH(int, failAt);
    QFETCH(int, number);
    QFETCH(ReportOutcome::Kind, kind);

    FakeSpreadsheetServer server;
    server.failAt = failAt;
    server.failure = {number, QStringLiteral("Microsoft Excel"), QStringLiteral("Cannot access the file")};
    const ReportOutcome outcome = GenerateSpreadsheetReport(annSnapshot(), april18, folder, server);

    QCOMPARE(outcome.kind, kind);
    QCOMPARE(outcome.error.number, number);
    QCOMPARE(outcome.error.source, QStringLiteral("Microsoft Excel"));
    QCOMPARE(outcome.error.description, QStringLiteral("Cannot access the file"));
    // Nothing is called after the failing call: no save, no close, no quit; the object is only released.
    QStringList expected = annCalls().mid(0, failAt + 1);
    if (failAt > 0)
        expected << "release";
    QCOMPARE(server.calls, expected);
}

void TestSpreadsheetReport::serverThatGivesNoReasonStillFails()
{
    FakeSpreadsheetServer server;
    server.failAt = 0;
    server.failure = ErrorInfo();
    const ReportOutcome outcome = GenerateSpreadsheetReport(annSnapshot(), april18, folder, server);

    QCOMPARE(outcome.kind, ReportOutcome::Kind::Failed);
    QVERIFY(outcome.error.number != 0);
    QVERIFY(outcome.error.number != 1004);
}

QTEST_GUILESS_MAIN(TestSpreadsheetReport)
#include "tst_spreadsheetreport.moc"
