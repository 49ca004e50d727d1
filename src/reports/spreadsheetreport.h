#pragma once

#include "reports/reportoutcome.h"
#include "reports/reportsnapshot.h"

#include <QString>

struct LocalDate;
class SpreadsheetServer;

// Builds the spreadsheet report by driving a spreadsheet server: the user name and date in row 1, the bold
// headings in row 3, table row r in sheet row r + 4 (rows with an empty name stay empty), the bold
// "Total time:" and the daily sum in row 13; then saves it as "<folder>/<user>_mm-dd-yyyy.xls", closes it
// and quits the server. An empty user name ends it before the server is started. A failing call stops it
// there: error number 1004 gives FailedSilently, any other number Failed with the error, its description
// naming the report file.
ReportOutcome GenerateSpreadsheetReport(const ReportSnapshot &snapshot, const LocalDate &today,
                                        const QString &reportFolder, SpreadsheetServer &server);
