#pragma once

#include <optional>
#include <QString>
#include <QtGlobal>

// Conversion between a count of seconds and the time text " H:MM:SS" that every time field shows.

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// The time text of a count of seconds: a blank, the whole hours without limit, ":", two-digit minutes,
// ":", two-digit seconds. The count is rounded half to even first. A negative count shows as a minus sign
// and the time text of its magnitude ("-0:00:05" for -5). A count that is not a finite number has no text.
[[nodiscard]] std::optional<QString> DissectTime(double seconds);

// hours * 3600 + minutes * 60 + seconds, computed exactly; no range is enforced on minutes or seconds.
double AssembleTime(qint16 hours, qint16 minutes, qint16 seconds);

// The failure that DissectTime's callers report when it has no text.
struct ErrorInfo;
ErrorInfo dissectTimeError();
