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

// A count of seconds split into whole hours, the minutes within the hour and the seconds within the
// minute, after rounding half to even. A negative count splits like its magnitude, with the minus sign on
// every part (-3725 gives -1, -2 and -5).
struct TimeParts
{
    double hours = 0.0;
    double minutes = 0.0;
    double seconds = 0.0;
};
TimeParts SplitTime(double seconds);

// A time as a box shows it: its text, and the whole seconds that the text stands for.
struct ShownTime
{
    QString text;
    double seconds = 0.0;
};

// The ShownTime of a count: rounded half to even and written by DissectTime. A count that has no text
// shows as empty text.
ShownTime showTime(double seconds);

// hours * 3600 + minutes * 60 + seconds, computed exactly; no range is enforced on minutes or seconds.
double AssembleTime(qint16 hours, qint16 minutes, qint16 seconds);
