#include "timetext.h"

#include <cmath>
#include <cstdint>

namespace {

// Below 2^53 every whole number is a double; beyond it every double is a multiple of a large power of two.
constexpr double ExactLimit = 9007199254740992.0;

} // namespace

double roundHalfEven(double value)
{
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless someone changed it;
    // remainder() does not depend on it.
    return value - std::remainder(value, 1.0);
}

TimeParts SplitTime(double seconds)
{
    const double whole = roundHalfEven(seconds);
    const double magnitude = std::fabs(whole);
    TimeParts parts;
    // Exact 64-bit arithmetic while the count fits; beyond that the double operations below are exact.
    if (magnitude < ExactLimit) {
        const auto r = static_cast<std::int64_t>(magnitude);
        parts = {double(r / 3600), double(r / 60 % 60), double(r % 60)};
    } else {
        parts = {std::floor(magnitude / 3600.0), std::fmod(std::floor(magnitude / 60.0), 60.0),
                 std::fmod(magnitude, 60.0)};
    }
    if (whole < 0)
        parts = {-parts.hours, -parts.minutes, -parts.seconds};
    return parts;
}

std::optional<QString> DissectTime(double seconds)
{
    if (!std::isfinite(seconds))
        return std::nullopt;
    const TimeParts parts = SplitTime(seconds);
    // The sign place: a blank, or the minus sign of a negative count (no "-0" from a negative zero).
    const bool negative = parts.hours < 0 || parts.minutes < 0 || parts.seconds < 0;
    // Hours that an integer holds exactly are written as one: a running clock writes a few of these texts
    // every second, and a double's text takes several times as long to make.
    const double hours = std::fabs(parts.hours);
    const QString hoursText = hours < ExactLimit ? QString::number(static_cast<std::int64_t>(hours))
                                                 : QString::number(hours, 'f', 0);
    QString text;
    text.reserve(hoursText.size() + 7);
    text += negative ? QLatin1Char('-') : QLatin1Char(' ');
    text += hoursText;
    for (const double part : {parts.minutes, parts.seconds}) {
        const int value = static_cast<int>(std::fabs(part));
        text += QLatin1Char(':');
        text += QLatin1Char(char('0' + value / 10));
        text += QLatin1Char(char('0' + value % 10));
    }
    return text;
}

ShownTime showTime(double seconds)
{
    const std::optional<QString> text = DissectTime(seconds);
    if (!text)
        return {};
    return {*text, roundHalfEven(seconds)};
}

double AssembleTime(qint16 hours, qint16 minutes, qint16 seconds)
{
    return static_cast<double>(std::int32_t(hours) * 3600 + std::int32_t(minutes) * 60 +
                               std::int32_t(seconds));
}
