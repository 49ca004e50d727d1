#pragma once

#include "core/calendartext.h"

// What the program asks of the clock. Only the windows ask; everything below them is handed the readings.
class Clock
{
public:
    virtual ~Clock();

    // Today's local date.
    virtual LocalDate today() const = 0;

    // Seconds since local midnight, with a fraction.
    virtual float secondsSinceMidnight() const = 0;

    // Seconds on a clock for measuring spans: it moves at the pace of real time, counts time spent
    // suspended, and no change of date or of the system clock moves it. Only differences mean anything.
    virtual double spanReading() const = 0;

    // Seconds on a clock like the span clock that stands still while the computer sleeps: a widening gap
    // between the two is time spent asleep. Only differences mean anything.
    virtual double awakeReading() const = 0;
};
