#pragma once

#include "reports/spreadsheetautomation.h"

// Serves the spreadsheet report inside the program: every user gets a real workbook file whether or not a
// spreadsheet application is installed.
class InProcessSpreadsheetServer : public SpreadsheetServer
{
public:
    std::unique_ptr<SpreadsheetApplication> create(ErrorInfo *error) override;
};
