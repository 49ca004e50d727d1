#pragma once

#include "reports/typedcellvalue.h"

#include <QtGlobal>

#include <map>
#include <utility>

// The one-sheet workbook that the in-process spreadsheet server builds up: cell values as typed, the bold
// cells and the column widths. Rows and columns count from 0 (A1 is row 0, column 0).
struct SpreadsheetWorkbook
{
    // A cell that has been written to or formatted; an Empty value with bold set still shows bold once typed
    // in.
    struct Cell
    {
        TypedCellValue value;
        bool bold = false;
    };

    // Keyed by (row, column), so that iteration runs row by row, left to right.
    std::map<std::pair<int, int>, Cell> cells;
    // Widths in characters of the standard font, keyed by column.
    std::map<int, qint16> columnWidths;

    // The sheet's limits in the workbook format the server writes.
    static constexpr int rowCount = 65536;
    static constexpr int columnCount = 256;
};
