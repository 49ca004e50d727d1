#pragma once

#include "clock.h"

// The system's clock: local date and time from Qt, spans from CLOCK_BOOTTIME.
class SystemClock : public Clock
{
public:
    LocalDate today() const override;
    float secondsSinceMidnight() const override;
    double spanReading() const override;
};
