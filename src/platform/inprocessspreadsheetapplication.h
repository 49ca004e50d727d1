#pragma once

#include "platform/spreadsheetworkbook.h"
#include "reports/spreadsheetautomation.h"

#include <optional>
#include <utility>

// The application object of the program's own spreadsheet server. It keeps the active workbook in memory,
// enters typed texts as a spreadsheet does (time texts become durations), and saves in the Excel 97-2003
// workbook format. It never raises error 1004: it has no window to tell the user of a failure itself, so
// every failure must reach the program's error box.
class InProcessSpreadsheetApplication : public SpreadsheetApplication
{
public:
    AutomationResult setVisible(bool visible) override;
    AutomationResult addWorkbook() override;
    AutomationResult selectRange(const QString &address) override;
    AutomationResult setActiveCellFormulaR1C1(const QString &text) override;
    AutomationResult setColumnWidth(const QString &columnAddress, qint16 width) override;
    AutomationResult setSelectionFontStyle(const QString &style) override;
    AutomationResult saveActiveWorkbookAs(const SpreadsheetSaveAsArguments &arguments) override;
    AutomationResult closeActiveWorkbook(bool saveChanges) override;
    AutomationResult quit() override;

    // The active workbook, if one is open.
    const std::optional<SpreadsheetWorkbook> &activeWorkbook() const { return m_workbook; }
    bool isVisible() const { return m_visible; }

private:
    AutomationResult checkWorkbook() const;

    bool m_visible = false;
    bool m_quit = false;
    std::optional<SpreadsheetWorkbook> m_workbook;
    // The active cell, which is also the selection, as (row, column).
    std::pair<int, int> m_activeCell{0, 0};
};
