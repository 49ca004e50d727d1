#pragma once

#include <QByteArray>

#include <optional>

struct SpreadsheetWorkbook;

// Writes a workbook in the Excel 97-2003 format: a "Workbook" stream of BIFF8 records inside an OLE2
// compound document. Spreadsheet applications and independent readers open it as a normal workbook.
namespace BiffWorkbookWriter {

// The BIFF8 record stream: the workbook globals (fonts, cell formats, the sheet's entry, the shared strings)
// followed by the sheet (column widths, cells, window).
QByteArray workbookStream(const SpreadsheetWorkbook &workbook);

// The compound document that holds stream as its "Workbook" stream; nothing when the container cannot be
// built.
std::optional<QByteArray> compoundDocument(const QByteArray &stream);

} // namespace BiffWorkbookWriter
