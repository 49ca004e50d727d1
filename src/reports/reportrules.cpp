#include "reportrules.h"

namespace ReportRules {

QString fileName(const QString &folder, const QString &userName, const LocalDate &date,
                 const QString &extension)
{
    return folder + QLatin1Char('/') + userName + QLatin1Char('_') + ReportDateStamp(date) + extension;
}

QString failureDescription(const QString &fileName, const QString &reason)
{
    return QStringLiteral("Cannot write the report file %1: %2").arg(fileName, reason);
}

} // namespace ReportRules
