#pragma once

#include <QString>

// A run-time failure as the error box reports it: its number, where it arose and what went wrong.
struct ErrorInfo
{
    int number = 0;
    QString source;
    QString description;
};

// Every error number the program reports, in one enumeration; the namespace keeps the names apart.
namespace ErrorNumber {
enum Value : int {
    InvalidArgument = 5, // a value the spreadsheet cannot take, such as an overlong cell text
    Overflow = 6,
    FileNotFound = 53,
    DiskFull = 61,
    PermissionDenied = 70,
    FileAccessError = 75,
    PathNotFound = 76,
    CannotCreateObject = 429,         // the spreadsheet server could not be started
    SpreadsheetReportedItself = 1004, // the spreadsheet application has told the user already
};
} // namespace ErrorNumber

// A failure of the program's own: the number, the program ("Tallywick") as its source, and the description.
ErrorInfo programError(int number, const QString &description);

// The text of the shared error box: context, CR LF, source, ":  ", description, " (", number, ")".
QString errorMessageText(const QString &context, const ErrorInfo &error);
