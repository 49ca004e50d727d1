#include "reportrules.h"

namespace ReportRules {

QString fileName(const QString &folder, const QString &userName, const LocalDate &date,
                 const QString &extension)
{
    return folder + QLatin1Char('/') + userName + QLatin1Char('_') + ReportDateStamp(date) + extension;
}

} // namespace ReportRules
