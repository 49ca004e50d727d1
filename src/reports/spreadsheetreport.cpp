#include "spreadsheetreport.h"

#include "core/calendartext.h"
#include "reports/reportrules.h"
#include "reports/spreadsheetautomation.h"

namespace {

namespace Column {
constexpr int A = 1;
constexpr int B = 2;
constexpr int C = 3;
} // namespace Column

// Sheet row of table row 0; table row r goes to sheet row r + 4 whether or not the rows above are named.
constexpr int firstProjectSheetRow = 4;
constexpr int totalSheetRow = 13;

CellValue text(const QString &value)
{
    return {value, std::nullopt};
}

CellValue time(const ShownTime &shown)
{
    return {shown.text, shown.seconds};
}

AutomationResult enter(SpreadsheetApplication &application, CellAddress cell, const CellValue &value)
{
    if (AutomationResult failure = application.selectCell(cell))
        return failure;
    return application.setActiveCellFormulaR1C1(value);
}

AutomationResult enterBold(SpreadsheetApplication &application, CellAddress cell, const QString &label)
{
    if (AutomationResult failure = enter(application, cell, text(label)))
        return failure;
    return application.setSelectionBold();
}

AutomationResult setColumnWidths(SpreadsheetApplication &application)
{
    if (AutomationResult failure = application.setColumnWidth(Column::A, 25))
        return failure;
    if (AutomationResult failure = application.setColumnWidth(Column::B, 10))
        return failure;
    return application.setColumnWidth(Column::C, 10);
}

AutomationResult enterHeadings(SpreadsheetApplication &application)
{
    constexpr int row = 3;
    if (AutomationResult failure = enterBold(application, {row, Column::A}, QStringLiteral("Project name")))
        return failure;
    if (AutomationResult failure = enterBold(application, {row, Column::B}, QStringLiteral("Daily time")))
        return failure;
    return enterBold(application, {row, Column::C}, QStringLiteral("Total time"));
}

AutomationResult enterProjectRows(SpreadsheetApplication &application, const ReportSnapshot &snapshot)
{
    for (std::size_t r = 0; r < snapshot.names.size(); ++r) {
        if (!ReportRules::isIncluded(snapshot.names[r]))
            continue;
        const int row = int(r) + firstProjectSheetRow;
        if (AutomationResult failure = enter(application, {row, Column::A}, text(snapshot.names[r])))
            return failure;
        if (AutomationResult failure = enter(application, {row, Column::B}, time(snapshot.daily[r])))
            return failure;
        if (AutomationResult failure = enter(application, {row, Column::C}, time(snapshot.total[r])))
            return failure;
    }
    return std::nullopt;
}

AutomationResult fillSheet(SpreadsheetApplication &application, const ReportSnapshot &snapshot,
                           const LocalDate &today)
{
    if (AutomationResult failure = enter(application, {1, Column::A}, text(snapshot.userName)))
        return failure;
    if (AutomationResult failure = enter(application, {1, Column::B}, text(ReportDateLine(today))))
        return failure;
    if (AutomationResult failure = setColumnWidths(application))
        return failure;
    if (AutomationResult failure = enterHeadings(application))
        return failure;
    if (AutomationResult failure = enterProjectRows(application, snapshot))
        return failure;
    if (AutomationResult failure =
            enterBold(application, {totalSheetRow, Column::A}, QStringLiteral("Total time:")))
        return failure;
    return enter(application, {totalSheetRow, Column::B}, time(snapshot.dailySum));
}

AutomationResult buildAndSave(SpreadsheetApplication &application, const ReportSnapshot &snapshot,
                              const LocalDate &today, const QString &fileName)
{
    if (AutomationResult failure = application.setVisible(false))
        return failure;
    if (AutomationResult failure = application.addWorkbook())
        return failure;
    if (AutomationResult failure = fillSheet(application, snapshot, today))
        return failure;
    if (AutomationResult failure = application.saveActiveWorkbookAs(fileName))
        return failure;
    if (AutomationResult failure = application.closeActiveWorkbook())
        return failure;
    return application.quit();
}

ReportOutcome failedWith(const ErrorInfo &error, const QString &fileName)
{
    // A spreadsheet application raises 1004 after it has shown its own message (such as the user refusing
    // to replace a file); a second box would only repeat it. The program's own server never raises it, but
    // the report stands on any server behind the automation interface.
    if (error.number == ErrorNumber::SpreadsheetReportedItself)
        return {ReportOutcome::Kind::FailedSilently, fileName, error};
    return {ReportOutcome::Kind::Failed,
            fileName,
            {error.number, error.source, ReportRules::failureDescription(fileName, error.description)}};
}

} // namespace

ReportOutcome GenerateSpreadsheetReport(const ReportSnapshot &snapshot, const LocalDate &today,
                                        const QString &reportFolder, SpreadsheetServer &server)
{
    if (snapshot.userName.isEmpty())
        return {ReportOutcome::Kind::MissingName, QString(), ErrorInfo()};
    const QString fileName =
        ReportRules::fileName(reportFolder, snapshot.userName, today, QStringLiteral(".xls"));

    // Released when the report ends, on failure too: the failure path neither saves, closes nor quits.
    const std::unique_ptr<SpreadsheetApplication> application = server.create();
    // The program's own server always starts; a server outside the program may be missing.
    if (!application)
        return failedWith(programError(ErrorNumber::CannotCreateObject,
                                       QStringLiteral("Cannot start the spreadsheet server")),
                          fileName);
    if (AutomationResult failure = buildAndSave(*application, snapshot, today, fileName))
        return failedWith(*failure, fileName);
    return {ReportOutcome::Kind::Written, fileName, ErrorInfo()};
}
