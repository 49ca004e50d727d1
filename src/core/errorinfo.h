#pragma once

#include <QString>

// A run-time failure as the error box reports it: its number, where it arose and what went wrong.
struct ErrorInfo
{
    int number = 0;
    QString source;
    QString description;
};

// Error numbers the program reports for its own failures.
namespace ErrorNumber {
constexpr int Overflow = 6;
constexpr int FileNotFound = 53;
constexpr int DiskFull = 61;
constexpr int PermissionDenied = 70;
constexpr int PathNotFound = 76;
constexpr int FileAccessError = 75;
} // namespace ErrorNumber

// The source that the program's own failures carry.
inline const QString &programErrorSource()
{
    static const QString source = QStringLiteral("Tallywick");
    return source;
}

// The text of the shared error box: context, CR LF, source, ":  ", description, " (", number, ")".
QString errorMessageText(const QString &context, const ErrorInfo &error);
