#pragma once

#include "core/calendartext.h"
#include "reports/reportoutcome.h"
#include "reports/reportsnapshot.h"

#include <QByteArray>
#include <QString>

// The comma-separated report: the user name with the quoted date, a header, one line of name, daily and
// total time per named row, and the sum of the daily times.

// Writes the CSV report of the snapshot to <folder>/<user name>_<mm-dd-yyyy>.csv; see ReportFileWriter.
ReportOutcome GenerateCsvReport(const ReportSnapshot &snapshot, const LocalDate &today,
                                const QString &reportFolder);

// The CSV report's file content: every line ended by CR LF, UTF-8. Only the date is quoted; names go in
// unchanged, commas and quotation marks included.
QByteArray csvReportBytes(const ReportSnapshot &snapshot, const LocalDate &today);
