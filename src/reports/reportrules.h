#pragma once

#include "core/calendartext.h"

#include <QString>

// Rules that the text, CSV and spreadsheet reports share.
namespace ReportRules {

// The report's file: folder, "/", the user name, "_", mm-dd-yyyy and the extension (".txt", ".csv", ".xls").
// The user name is taken verbatim, so a "/" in it names a subfolder.
QString fileName(const QString &folder, const QString &userName, const LocalDate &date,
                 const QString &extension);

// What a failed report's error says: the file that could not be written, then why.
QString failureDescription(const QString &fileName, const QString &reason);

// A row takes part in a report unless its name is the empty text; a name of blanks takes part.
inline bool isIncluded(const QString &projectName)
{
    return !projectName.isEmpty();
}

} // namespace ReportRules
