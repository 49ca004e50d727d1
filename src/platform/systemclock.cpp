#include "systemclock.h"

#include <QDateTime>

#include <ctime>

Clock::~Clock() = default;

LocalDate SystemClock::today() const
{
    const QDate date = QDate::currentDate();
    // Qt counts Monday as 1 and Sunday as 7; the program counts Sunday as 1.
    return {date.year(), date.month(), date.day(), date.dayOfWeek() % 7 + 1};
}

float SystemClock::secondsSinceMidnight() const
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

namespace {

double secondsOn(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

double SystemClock::spanReading() const
{
    // CLOCK_BOOTTIME, unlike CLOCK_MONOTONIC, goes on counting while the machine sleeps: a timer left running
    // over a suspend counts the real time that passed, as it would have on a machine that stayed awake.
    return secondsOn(CLOCK_BOOTTIME);
}

double SystemClock::awakeReading() const
{
    return secondsOn(CLOCK_MONOTONIC);
}
