#pragma once

#include "clock.h"

// The system's clock: local date and time from Qt, spans from CLOCK_BOOTTIME, time awake from
// CLOCK_MONOTONIC.
class SystemClock : public Clock
{
public:
    LocalDate today() const override;
    float secondsSinceMidnight() const override;
    double spanReading() const override;
    double awakeReading() const override;
};
