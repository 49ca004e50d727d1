#include "timetext.h"

#include "errorinfo.h"

#include <cmath>
#include <cstdint>

double roundHalfEven(double value)
{
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless someone changed it;
    // remainder() does not depend on it.
    return value - std::remainder(value, 1.0);
}

namespace {

QString twoDigits(std::int64_t value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

QString magnitudeText(double whole)
{
    // Exact 64-bit arithmetic while the count fits; beyond 2^53 every double is a multiple of a large power
    // of two, and the double operations below are then exact enough for a count nobody will ever reach.
    constexpr double exactLimit = 9007199254740992.0; // 2^53
    if (whole < exactLimit) {
        const auto r = static_cast<std::int64_t>(whole);
        return QLatin1Char(' ') + QString::number(r / 3600) + QLatin1Char(':') + twoDigits(r / 60 % 60) +
               QLatin1Char(':') + twoDigits(r % 60);
    }
    const double hours = std::floor(whole / 3600.0);
    const auto minutes = static_cast<std::int64_t>(std::fmod(std::floor(whole / 60.0), 60.0));
    const auto seconds = static_cast<std::int64_t>(std::fmod(whole, 60.0));
    return QLatin1Char(' ') + QString::number(hours, 'f', 0) + QLatin1Char(':') + twoDigits(minutes) +
           QLatin1Char(':') + twoDigits(seconds);
}

} // namespace

std::optional<QString> DissectTime(double seconds)
{
    if (!std::isfinite(seconds))
        return std::nullopt;
    const double whole = roundHalfEven(seconds);
    if (whole < 0) {
        QString text = magnitudeText(-whole);
        text[0] = QLatin1Char('-');
        return text;
    }
    return magnitudeText(whole == 0 ? 0.0 : whole); // no "-0" from a negative zero
}

double AssembleTime(qint16 hours, qint16 minutes, qint16 seconds)
{
    return static_cast<double>(std::int32_t(hours) * 3600 + std::int32_t(minutes) * 60 +
                               std::int32_t(seconds));
}

ErrorInfo dissectTimeError()
{
    return programError(ErrorNumber::Overflow, QStringLiteral("Overflow"));
}
