#pragma once

#include <QString>

// Reading and writing numbers the way the program's fields do.

// A digit 0 to 9; the digits of other scripts are not numbers in the program's files and fields.
constexpr bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The number a text begins with: leading blanks are skipped, then an optional sign, digits and at most one
// decimal point (always a point) are taken up to the first character that cannot continue the number.
// A text without a leading number gives 0.
double LeadingNumber(const QString &text);

// The shortest decimal text of a number: no leading zeros, no blanks, a minus sign when negative, a fraction
// only when there is one. decimalPoint is the separator put before the fraction.
QString ShortestNumberText(double value, QChar decimalPoint = QLatin1Char('.'));
