#include "inprocessspreadsheetapplication.h"

#include "platform/biffworkbookwriter.h"

#include <QRegularExpression>

namespace {

// The error numbers of the application's own failures.
constexpr int invalidArgument = 5;
constexpr int noObject = 91;
constexpr int serverGone = 462;

// The longest text a cell of the workbook format holds.
constexpr int maxCellTextLength = 32767;
// The widest column the workbook format allows, in characters.
constexpr int maxColumnWidth = 255;

ErrorInfo failure(int number, const QString &description)
{
    return {number, programErrorSource(), description};
}

ErrorInfo invalidArgumentError(const QString &what)
{
    return failure(invalidArgument, QStringLiteral("Invalid procedure call or argument: %1").arg(what));
}

// Column letters A to IV as a column number from 0; -1 for anything else.
int columnNumber(const QString &letters)
{
    int number = 0;
    for (const QChar c : letters)
        number = number * 26 + (c.toUpper().unicode() - 'A' + 1);
    return number >= 1 && number <= SpreadsheetWorkbook::columnCount ? number - 1 : -1;
}

// A cell address such as "B13" as (row, column) from 0.
std::optional<std::pair<int, int>> cellAddress(const QString &address)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Za-z]{1,2})([1-9][0-9]{0,4})$"));
    const QRegularExpressionMatch match = pattern.match(address);
    if (!match.hasMatch())
        return std::nullopt;
    const int column = columnNumber(match.captured(1));
    const int row = match.captured(2).toInt() - 1;
    if (column < 0 || row >= SpreadsheetWorkbook::rowCount)
        return std::nullopt;
    return std::make_pair(row, column);
}

// A column address such as "A:A" or "B:C" as its first and last column from 0.
std::optional<std::pair<int, int>> columnRange(const QString &address)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Za-z]{1,2}):([A-Za-z]{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(address);
    if (!match.hasMatch())
        return std::nullopt;
    const int first = columnNumber(match.captured(1));
    const int last = columnNumber(match.captured(2));
    if (first < 0 || last < 0)
        return std::nullopt;
    return std::make_pair(std::min(first, last), std::max(first, last));
}

} // namespace

AutomationResult InProcessSpreadsheetApplication::checkWorkbook() const
{
    if (m_quit)
        return failure(serverGone, QStringLiteral("The spreadsheet server has quit"));
    if (!m_workbook)
        return failure(noObject, QStringLiteral("No workbook is open"));
    return std::nullopt;
}

AutomationResult InProcessSpreadsheetApplication::setVisible(bool visible)
{
    if (m_quit)
        return failure(serverGone, QStringLiteral("The spreadsheet server has quit"));
    // There is no window to show; the value is only kept.
    m_visible = visible;
    return std::nullopt;
}

AutomationResult InProcessSpreadsheetApplication::addWorkbook()
{
    if (m_quit)
        return failure(serverGone, QStringLiteral("The spreadsheet server has quit"));
    m_workbook.emplace();
    m_activeCell = {0, 0};
    return std::nullopt;
}

AutomationResult InProcessSpreadsheetApplication::selectRange(const QString &address)
{
    if (AutomationResult missing = checkWorkbook())
        return missing;
    const std::optional<std::pair<int, int>> cell = cellAddress(address);
    if (!cell)
        return invalidArgumentError(address);
    m_activeCell = *cell;
    return std::nullopt;
}

AutomationResult InProcessSpreadsheetApplication::setActiveCellFormulaR1C1(const QString &text)
{
    if (AutomationResult missing = checkWorkbook())
        return missing;
    if (text.size() > maxCellTextLength)
        return invalidArgumentError(QStringLiteral("text longer than %1 characters").arg(maxCellTextLength));
    const TypedCellValue value = TypedCellValue::fromTyped(text);
    const auto found = m_workbook->cells.find(m_activeCell);
    if (value.kind == TypedCellValue::Kind::Empty && found != m_workbook->cells.end() && !found->second.bold)
        m_workbook->cells.erase(found); // an emptied cell without formatting is no longer part of the sheet
    else if (value.kind != TypedCellValue::Kind::Empty || found != m_workbook->cells.end())
        m_workbook->cells[m_activeCell].value = value;
    return std::nullopt;
}

AutomationResult InProcessSpreadsheetApplication::setColumnWidth(const QString &columnAddress, qint16 width)
{
    if (AutomationResult missing = checkWorkbook())
        return missing;
    const std::optional<std::pair<int, int>> columns = columnRange(columnAddress);
    if (!columns)
        return invalidArgumentError(columnAddress);
    if (width < 0 || width > maxColumnWidth)
        return invalidArgumentError(QStringLiteral("column width %1").arg(width));
    for (int column = columns->first; column <= columns->second; ++column)
        m_workbook->columnWidths[column] = width;
    return std::nullopt;
}

AutomationResult InProcessSpreadsheetApplication::setSelectionFontStyle(const QString &style)
{
    if (AutomationResult missing = checkWorkbook())
        return missing;
    if (style.compare(QLatin1String("Bold"), Qt::CaseInsensitive) == 0)
        m_workbook->cells[m_activeCell].bold = true;
    else if (style.compare(QLatin1String("Regular"), Qt::CaseInsensitive) == 0)
        m_workbook->cells[m_activeCell].bold = false;
    else
        return invalidArgumentError(style);
    return std::nullopt;
}

AutomationResult
InProcessSpreadsheetApplication::saveActiveWorkbookAs(const SpreadsheetSaveAsArguments &arguments)
{
    if (AutomationResult missing = checkWorkbook())
        return missing;
    if (arguments.fileFormat != SpreadsheetFileFormat::Normal)
        return invalidArgumentError(QStringLiteral("file format %1").arg(arguments.fileFormat));
    if (!arguments.password.isEmpty() || !arguments.writeResPassword.isEmpty())
        return invalidArgumentError(QStringLiteral("passwords are not supported"));
    // An existing file of the same name is replaced without a question, as the other reports do.
    return BiffWorkbookWriter::save(*m_workbook, arguments.fileName);
}

AutomationResult InProcessSpreadsheetApplication::closeActiveWorkbook(bool saveChanges)
{
    if (AutomationResult missing = checkWorkbook())
        return missing;
    if (saveChanges)
        return invalidArgumentError(QStringLiteral("closing with a save is not supported"));
    m_workbook.reset();
    return std::nullopt;
}

AutomationResult InProcessSpreadsheetApplication::quit()
{
    m_workbook.reset();
    m_quit = true;
    return std::nullopt;
}
