#include "numbertext.h"

#include <QLocale>

double LeadingNumber(const QString &text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    QString number;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        number += text.at(i++);
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (isAsciiDigit(c)) {
            seenDigit = true;
        } else if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number += c;
    }
    if (!seenDigit)
        return 0.0;
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    return QLocale::c().toDouble(number);
}

QString ShortestNumberText(double value, QChar decimalPoint)
{
    if (value == 0)
        return QStringLiteral("0"); // also for a negative zero
    QString text = QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
    text.replace(QLatin1Char('.'), decimalPoint);
    return text;
}
