#include "inprocessspreadsheetserver.h"

#include "storage/wholefile.h"
#include "workbook/biffworkbookwriter.h"
#include "workbook/spreadsheetworkbook.h"

namespace {

// The longest text a cell of the workbook format holds.
constexpr int maxCellTextLength = 32767;

class InProcessSpreadsheetApplication : public SpreadsheetApplication
{
public:
    // There is no window to show or hide.
    AutomationResult setVisible(bool /*visible*/) override { return std::nullopt; }

    AutomationResult addWorkbook() override
    {
        m_workbook = {};
        m_activeCell = {};
        return std::nullopt;
    }

    AutomationResult selectCell(CellAddress cell) override
    {
        m_activeCell = cell;
        return std::nullopt;
    }

    AutomationResult setActiveCellFormulaR1C1(const CellValue &value) override
    {
        // A name loaded from a damaged project list can be longer than any cell takes.
        if (value.text.size() > maxCellTextLength)
            return programError(
                ErrorNumber::InvalidArgument,
                QStringLiteral("Invalid procedure call or argument: text longer than %1 characters")
                    .arg(maxCellTextLength));
        if (value.text.isEmpty() && m_workbook.cells.count(m_activeCell) == 0)
            return std::nullopt; // an empty cell stays out of the sheet
        m_workbook.cells[m_activeCell].value = value;
        return std::nullopt;
    }

    AutomationResult setColumnWidth(int column, qint16 width) override
    {
        m_workbook.columnWidths[column] = width;
        return std::nullopt;
    }

    AutomationResult setSelectionBold() override
    {
        m_workbook.cells[m_activeCell].bold = true;
        return std::nullopt;
    }

    AutomationResult saveActiveWorkbookAs(const QString &fileName) override
    {
        const std::optional<QByteArray> document =
            BiffWorkbookWriter::compoundDocument(BiffWorkbookWriter::workbookStream(m_workbook));
        if (!document)
            return programError(ErrorNumber::FileAccessError,
                                QStringLiteral("Cannot build the workbook container"));
        // The new file takes the old one's place only when written whole, so a failed save keeps an older
        // report; an existing file of the same name is replaced without a question, as the other reports do.
        if (const std::optional<WholeFile::Failure> failed = WholeFile::write(fileName, *document))
            return programError(failed->number, failed->reason);
        return std::nullopt;
    }

    AutomationResult closeActiveWorkbook() override
    {
        m_workbook = {};
        return std::nullopt;
    }
    AutomationResult quit() override { return std::nullopt; }

private:
    SpreadsheetWorkbook m_workbook;
    CellAddress m_activeCell; // also the selection
};

} // namespace

std::unique_ptr<SpreadsheetApplication> InProcessSpreadsheetServer::create()
{
    return std::make_unique<InProcessSpreadsheetApplication>();
}
