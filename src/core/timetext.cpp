#include "timetext.h"

#include <cmath>
#include <cstdint>

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
    // Exact 64-bit arithmetic while the count fits; beyond 2^53 every double is a multiple of a large power
    // of two, and the double operations below are then exact.
    constexpr double exactLimit = 9007199254740992.0; // 2^53
    if (magnitude < exactLimit) {
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
    const auto twoDigits = [](double part) {
        return QString::number(std::fabs(part), 'f', 0).rightJustified(2, QLatin1Char('0'));
    };
    // The sign place: a blank, or the minus sign of a negative count (no "-0" from a negative zero).
    const bool negative = parts.hours < 0 || parts.minutes < 0 || parts.seconds < 0;
    return (negative ? QLatin1Char('-') : QLatin1Char(' ')) +
           QString::number(std::fabs(parts.hours), 'f', 0) + QLatin1Char(':') + twoDigits(parts.minutes) +
           QLatin1Char(':') + twoDigits(parts.seconds);
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
