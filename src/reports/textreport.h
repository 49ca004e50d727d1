#pragma once

#include "core/calendartext.h"
#include "reports/reportoutcome.h"
#include "reports/reportsnapshot.h"

#include <QByteArray>
#include <QString>

// The plain text report: a title, the date, a block of name, daily and total time per named row, and the
// sum of the daily times.

// Writes the text report of the snapshot to <folder>/<user name>_<mm-dd-yyyy>.txt; see ReportFileWriter.
ReportOutcome GenerateTextReport(const ReportSnapshot &snapshot, const LocalDate &today,
                                 const QString &reportFolder);

// The text report's file content: every line ended by CR LF, UTF-8.
QByteArray textReportBytes(const ReportSnapshot &snapshot, const LocalDate &today);
