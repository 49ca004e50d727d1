#include "spreadsheetreport.h"

#include "core/calendartext.h"
#include "reports/reportrules.h"
#include "reports/spreadsheetautomation.h"

namespace {

// Sheet row of table row 0; table row r goes to sheet row r + 4 whether or not the rows above are named.
constexpr int firstProjectSheetRow = 4;

// The failure that a server gives no details for: it could not be started.
ErrorInfo serverNotCreatedError()
{
    return {429, programErrorSource(), QStringLiteral("Cannot start the spreadsheet server")};
}

AutomationResult enterText(SpreadsheetApplication &application, const QString &address, const QString &text)
{
    if (AutomationResult failure = application.selectRange(address))
        return failure;
    return application.setActiveCellFormulaR1C1(text);
}

AutomationResult enterBoldText(SpreadsheetApplication &application, const QString &address,
                               const QString &text)
{
    if (AutomationResult failure = enterText(application, address, text))
        return failure;
    return application.setSelectionFontStyle(QStringLiteral("Bold"));
}

AutomationResult setColumnWidths(SpreadsheetApplication &application)
{
    if (AutomationResult failure = application.setColumnWidth(QStringLiteral("A:A"), 25))
        return failure;
    if (AutomationResult failure = application.setColumnWidth(QStringLiteral("B:B"), 10))
        return failure;
    return application.setColumnWidth(QStringLiteral("C:C"), 10);
}

AutomationResult enterHeadings(SpreadsheetApplication &application)
{
    if (AutomationResult failure =
            enterBoldText(application, QStringLiteral("A3"), QStringLiteral("Project name")))
        return failure;
    if (AutomationResult failure =
            enterBoldText(application, QStringLiteral("B3"), QStringLiteral("Daily time")))
        return failure;
    return enterBoldText(application, QStringLiteral("C3"), QStringLiteral("Total time"));
}

AutomationResult enterProjectRows(SpreadsheetApplication &application, const ReportSnapshot &snapshot)
{
    for (std::size_t r = 0; r < snapshot.names.size(); ++r) {
        if (!ReportRules::isIncluded(snapshot.names[r]))
            continue;
        const QString row = QString::number(int(r) + firstProjectSheetRow);
        if (AutomationResult failure = enterText(application, QLatin1Char('A') + row, snapshot.names[r]))
            return failure;
        if (AutomationResult failure = enterText(application, QLatin1Char('B') + row, snapshot.dailyTexts[r]))
            return failure;
        if (AutomationResult failure = enterText(application, QLatin1Char('C') + row, snapshot.totalTexts[r]))
            return failure;
    }
    return std::nullopt;
}

AutomationResult fillSheet(SpreadsheetApplication &application, const ReportSnapshot &snapshot,
                           const LocalDate &today)
{
    if (AutomationResult failure = enterText(application, QStringLiteral("A1"), snapshot.userName))
        return failure;
    if (AutomationResult failure = enterText(application, QStringLiteral("B1"), ReportDateLine(today)))
        return failure;
    if (AutomationResult failure = setColumnWidths(application))
        return failure;
    if (AutomationResult failure = enterHeadings(application))
        return failure;
    if (AutomationResult failure = enterProjectRows(application, snapshot))
        return failure;
    if (AutomationResult failure =
            enterBoldText(application, QStringLiteral("A13"), QStringLiteral("Total time:")))
        return failure;
    return enterText(application, QStringLiteral("B13"), snapshot.dailySumText);
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
    SpreadsheetSaveAsArguments saveAs;
    saveAs.fileName = fileName;
    if (AutomationResult failure = application.saveActiveWorkbookAs(saveAs))
        return failure;
    if (AutomationResult failure = application.closeActiveWorkbook(false))
        return failure;
    return application.quit();
}

ReportOutcome failedWith(const ErrorInfo &error)
{
    // A spreadsheet application raises 1004 after it has shown its own message (such as the user refusing
    // to replace a file); a second box would only repeat it.
    const auto kind = error.number == SpreadsheetApplicationErrorNumber ? ReportOutcome::Kind::FailedSilently
                                                                        : ReportOutcome::Kind::Failed;
    return {kind, QString(), error};
}

} // namespace

ReportOutcome GenerateSpreadsheetReport(const ReportSnapshot &snapshot, const LocalDate &today,
                                        const QString &reportFolder, SpreadsheetServer &server)
{
    if (snapshot.userName.isEmpty())
        return {ReportOutcome::Kind::MissingName, QString(), ErrorInfo()};
    const QString fileName =
        ReportRules::fileName(reportFolder, snapshot.userName, today, QStringLiteral(".xls"));

    ErrorInfo createError;
    // Released when the report ends, on failure too: the failure path neither saves, closes nor quits.
    const std::unique_ptr<SpreadsheetApplication> application = server.create(&createError);
    if (!application)
        return failedWith(createError.number != 0 ? createError : serverNotCreatedError());
    if (AutomationResult failure = buildAndSave(*application, snapshot, today, fileName))
        return failedWith(*failure);
    return {ReportOutcome::Kind::Written, fileName, ErrorInfo()};
}
