#pragma once

#include "core/errorinfo.h"

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <tuple>

// The automation calls that the spreadsheet report makes, modelled on a spreadsheet application's object
// model. The object chains (Range(address).Select(), ActiveCell().FormulaR1C1 = value, ...) are flattened
// into one method each on the application. Every call either succeeds (an empty result) or fails with the
// error number, source and description that the error box shows. Tests put a recording fake in place of
// the server.

// The result of one automation call: no value on success, the failure otherwise.
using AutomationResult = std::optional<ErrorInfo>;

// A cell by its row and column as the sheet numbers them, from 1: A1 is {1, 1}, C13 is {13, 3}.
struct CellAddress
{
    int row = 1;
    int column = 1;

    bool operator<(const CellAddress &other) const
    {
        return std::tie(row, column) < std::tie(other.row, other.column);
    }
};

// What is entered into a cell, as if typed: a text, or a time that the sheet keeps as a duration so that it
// can add times up. A cell given an empty text stays empty.
struct CellValue
{
    QString text;
    std::optional<double> seconds; // a time's whole seconds; none for a plain text
};

// The application object of a running spreadsheet server. All calls address the active workbook's active
// sheet.
class SpreadsheetApplication
{
public:
    virtual ~SpreadsheetApplication() = default;

    // Visible = visible
    [[nodiscard]] virtual AutomationResult setVisible(bool visible) = 0;
    // Workbooks().Add(): a new empty workbook becomes the active workbook, its first sheet the active sheet.
    [[nodiscard]] virtual AutomationResult addWorkbook() = 0;
    // Range(cell).Select(): the cell becomes the active cell and the selection.
    [[nodiscard]] virtual AutomationResult selectCell(CellAddress cell) = 0;
    // ActiveCell().FormulaR1C1 = value
    [[nodiscard]] virtual AutomationResult setActiveCellFormulaR1C1(const CellValue &value) = 0;
    // Columns(column).ColumnWidth = width, in characters of the standard font; columns count from 1.
    [[nodiscard]] virtual AutomationResult setColumnWidth(int column, qint16 width) = 0;
    // Selection().Font().FontStyle = "Bold"
    [[nodiscard]] virtual AutomationResult setSelectionBold() = 0;
    // ActiveWorkbook().SaveAs(fileName), in the application's own workbook format.
    [[nodiscard]] virtual AutomationResult saveActiveWorkbookAs(const QString &fileName) = 0;
    // ActiveWorkbook().Close(SaveChanges = false)
    [[nodiscard]] virtual AutomationResult closeActiveWorkbook() = 0;
    // Quit(): the server ends; releasing the object afterwards is all that is left to do.
    [[nodiscard]] virtual AutomationResult quit() = 0;
};

// Starts a spreadsheet server and hands out its application object.
class SpreadsheetServer
{
public:
    virtual ~SpreadsheetServer() = default;

    // The application object; null when the server cannot be started.
    [[nodiscard]] virtual std::unique_ptr<SpreadsheetApplication> create() = 0;
};
