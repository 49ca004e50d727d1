#include "typedcellvalue.h"

#include <optional>

namespace {

constexpr double secondsPerDay = 86400.0;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The value of two ASCII digits at position, if both are digits and the value lies below 60.
std::optional<int> sexagesimalPair(const QString &text, qsizetype position)
{
    if (position + 2 > text.size() || !isAsciiDigit(text.at(position)) ||
        !isAsciiDigit(text.at(position + 1)))
        return std::nullopt;
    const int value = text.at(position).digitValue() * 10 + text.at(position + 1).digitValue();
    if (value >= 60)
        return std::nullopt;
    return value;
}

// The signed number of seconds of a time text, or nothing when the text is not one.
std::optional<double> timeTextSeconds(const QString &text)
{
    qsizetype position = 0;
    double sign = 1.0;
    if (!text.isEmpty() && (text.front() == QLatin1Char(' ') || text.front() == QLatin1Char('-'))) {
        sign = text.front() == QLatin1Char('-') ? -1.0 : 1.0;
        position = 1;
    }
    const qsizetype hoursStart = position;
    // Accumulating in a double keeps any count of hour digits exact far beyond what a time field can show.
    double hours = 0.0;
    while (position < text.size() && isAsciiDigit(text.at(position))) {
        hours = hours * 10.0 + text.at(position).digitValue();
        ++position;
    }
    if (position == hoursStart || text.size() != position + 6 || text.at(position) != QLatin1Char(':') ||
        text.at(position + 3) != QLatin1Char(':'))
        return std::nullopt;
    const std::optional<int> minutes = sexagesimalPair(text, position + 1);
    const std::optional<int> seconds = sexagesimalPair(text, position + 4);
    if (!minutes || !seconds)
        return std::nullopt;
    const double magnitude = hours * 3600.0 + *minutes * 60.0 + *seconds;
    // "-0:00:00" is no time at all; a negative zero would show as "-0:00:00" in the sheet.
    return magnitude == 0.0 ? 0.0 : sign * magnitude;
}

} // namespace

TypedCellValue TypedCellValue::fromTyped(const QString &typed)
{
    if (typed.isEmpty())
        return {};
    if (const std::optional<double> seconds = timeTextSeconds(typed))
        return {Kind::Duration, typed, *seconds / secondsPerDay};
    return {Kind::Text, typed, 0.0};
}
