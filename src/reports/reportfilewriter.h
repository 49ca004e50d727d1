#pragma once

#include "core/calendartext.h"
#include "reports/reportoutcome.h"
#include "reports/reportsnapshot.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The steps that the file reports share: the user-name check, the file name, and writing the bytes so that
// a report either lands whole or leaves the earlier file of that name as it was.
namespace ReportFileWriter {

using ReportBytes = QByteArray (*)(const ReportSnapshot &snapshot, const LocalDate &today);

// Empty user name: MissingName, no file touched. Otherwise writes bytes(snapshot, today) to the report file
// named from the folder, the user name, today and the extension; Written with that file name, or Failed
// with an error whose description names the file. Never creates a folder.
ReportOutcome generate(const ReportSnapshot &snapshot, const LocalDate &today, const QString &reportFolder,
                       const QString &extension, ReportBytes bytes);

// Each line followed by CR LF, in UTF-8.
QByteArray linesToBytes(const QStringList &lines);

} // namespace ReportFileWriter
