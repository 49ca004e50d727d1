#pragma once

#include "platform/clock.h"

// A clock that moves only when a test moves it. The wall clock, the span clock and the awake clock move
// together unless a test sets one of them alone (a change of the system time, a change of date), or the
// computer sleeps.
class FakeClock : public Clock
{
public:
    LocalDate date{2006, 4, 18, 3};
    double wallSeconds = 9 * 3600.0;
    double span = 1000.0;
    double awake = 500.0;

    LocalDate today() const override { return date; }
    float secondsSinceMidnight() const override { return static_cast<float>(wallSeconds); }
    double spanReading() const override { return span; }
    double awakeReading() const override { return awake; }

    void advance(double seconds)
    {
        span += seconds;
        awake += seconds;
        wallSeconds += seconds;
    }

    // A sleep that the awake clock does not count.
    void sleep(double seconds)
    {
        span += seconds;
        wallSeconds += seconds;
    }
};
