#pragma once

#include "reports/spreadsheetautomation.h"

// Serves the spreadsheet report inside the program, so that every user gets a real workbook file whether or
// not a spreadsheet application is installed. Its application keeps the active workbook in memory, keeps
// times as durations, and saves in the Excel 97-2003 workbook format. It has no window, so it tells the user
// nothing itself: every failure reaches the program's error box, and it never raises error 1004.
class InProcessSpreadsheetServer : public SpreadsheetServer
{
public:
    std::unique_ptr<SpreadsheetApplication> create() override;
};
