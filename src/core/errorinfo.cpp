#include "errorinfo.h"

ErrorInfo programError(int number, const QString &description)
{
    return {number, QStringLiteral("Tallywick"), description};
}

QString errorMessageText(const QString &context, const ErrorInfo &error)
{
    return context + QLatin1String("\r\n") + error.source + QLatin1String(":  ") + error.description +
           QLatin1String(" (") + QString::number(error.number) + QLatin1Char(')');
}
