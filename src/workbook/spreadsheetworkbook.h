#pragma once

#include "reports/spreadsheetautomation.h"

#include <QtGlobal>

#include <map>

// The one-sheet workbook that the in-process spreadsheet server builds up: the cells' values, the bold
// cells and the column widths.
struct SpreadsheetWorkbook
{
    // A cell that holds a value or has been formatted; bold without a value still shows bold once typed in.
    struct Cell
    {
        CellValue value;
        bool bold = false;
    };

    // Ordered row by row, left to right.
    std::map<CellAddress, Cell> cells;
    // Widths in characters of the standard font, keyed by column (from 1).
    std::map<int, qint16> columnWidths;
};
