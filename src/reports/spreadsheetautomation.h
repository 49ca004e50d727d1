#pragma once

#include "core/errorinfo.h"

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

// The automation calls that the spreadsheet report makes, modelled on a spreadsheet application's object
// model. The object chains (Range(address).Select(), ActiveCell().FormulaR1C1 = text, ...) are flattened into
// one method each on the application. Every call either succeeds (an empty result) or fails with the error
// number, source and description that the error box shows. Tests put a recording fake in place of the server.

// The result of one automation call: no value on success, the failure otherwise.
using AutomationResult = std::optional<ErrorInfo>;

// The error number with which a spreadsheet application reports a failure that it has already told the
// user about itself; the report then ends without a box of its own.
constexpr int SpreadsheetApplicationErrorNumber = 1004;

// File formats that SaveAs takes.
namespace SpreadsheetFileFormat {
constexpr qint32 Normal = -4143; // the application's own workbook format
} // namespace SpreadsheetFileFormat

// The arguments of ActiveWorkbook().SaveAs(...), in the order the call takes them.
struct SpreadsheetSaveAsArguments
{
    QString fileName;
    qint32 fileFormat = SpreadsheetFileFormat::Normal;
    QString password;
    QString writeResPassword;
    bool readOnlyRecommended = false;
    bool createBackup = false;
    qint32 accessMode = 1;
};

// The application object of a running spreadsheet server. Cell and column addresses are texts such as "A1"
// and "A:A"; all calls address the active workbook's active sheet.
class SpreadsheetApplication
{
public:
    virtual ~SpreadsheetApplication() = default;

    // Visible = visible
    [[nodiscard]] virtual AutomationResult setVisible(bool visible) = 0;
    // Workbooks().Add(): a new empty workbook becomes the active workbook, its first sheet the active sheet.
    [[nodiscard]] virtual AutomationResult addWorkbook() = 0;
    // Range(address).Select(): the cell becomes the active cell and the selection.
    [[nodiscard]] virtual AutomationResult selectRange(const QString &address) = 0;
    // ActiveCell().FormulaR1C1 = text: the text is entered into the active cell as if typed.
    [[nodiscard]] virtual AutomationResult setActiveCellFormulaR1C1(const QString &text) = 0;
    // Columns(address).ColumnWidth = width, in characters of the standard font.
    [[nodiscard]] virtual AutomationResult setColumnWidth(const QString &columnAddress, qint16 width) = 0;
    // Selection().Font().FontStyle = style, such as "Bold".
    [[nodiscard]] virtual AutomationResult setSelectionFontStyle(const QString &style) = 0;
    // ActiveWorkbook().SaveAs(...)
    [[nodiscard]] virtual AutomationResult
    saveActiveWorkbookAs(const SpreadsheetSaveAsArguments &arguments) = 0;
    // ActiveWorkbook().Close(saveChanges)
    [[nodiscard]] virtual AutomationResult closeActiveWorkbook(bool saveChanges) = 0;
    // Quit(): the server ends; releasing the object afterwards is all that is left to do.
    [[nodiscard]] virtual AutomationResult quit() = 0;
};

// Starts a spreadsheet server and hands out its application object.
class SpreadsheetServer
{
public:
    virtual ~SpreadsheetServer() = default;

    // Creates the application object; on failure returns null and fills error.
    [[nodiscard]] virtual std::unique_ptr<SpreadsheetApplication> create(ErrorInfo *error) = 0;
};
