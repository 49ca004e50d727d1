#pragma once

#include "core/projectrows.h"

#include <array>

// The counts of the project rows: DailyTimes (seconds since this start of the program, or since the user
// last set them) and TotalTimes (seconds over all runs).
class ProjectTable
{
public:
    // DailyTimes(row), a 32-bit float of seconds.
    float dailyTime(int row) const;
    void setDailyTime(int row, float seconds);

    // TotalTimes(row), a 64-bit float of seconds.
    double totalTime(int row) const;
    void setTotalTime(int row, double seconds);

    // Adds a measured span to the row's daily and total counts.
    void addElapsed(int row, float elapsed);

    // DailySum: the eight daily counts added in 32-bit float arithmetic, row 0 first.
    float dailySum() const;

private:
    static void checkRow(int row);

    // A daily count is read as a 32-bit float, but it is kept at double precision: a float that grows by
    // about a second at a time loses the fraction of every step once it passes a few hours (at 8 hours a
    // float is good to 1/512 s), and the loss is biased the same way at every step, so a long day would come
    // out minutes short or long.
    std::array<double, RowCount> m_dailyTimes{};
    std::array<double, RowCount> m_totalTimes{};
};
