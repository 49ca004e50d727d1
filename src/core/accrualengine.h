#pragma once

class ProjectTable;

// The timing state beside the project table: Running, StartStamp and Elapsed, and the rule by which
// measured time is added to the active row.
//
// Readings are seconds on a clock that only moves forward at the pace of real time, whatever happens to
// the date or the wall clock (see Clock::spanReading), so a span is always the real time that has passed.
class AccrualEngine
{
public:
    bool isRunning() const { return m_running; }

    // Starting takes the reading as StartStamp; stopping drops the span still pending.
    void start(double reading);
    void stop();

    // One tick while running: when at least one second has passed since StartStamp, the whole span is
    // added to the active row's counts and StartStamp moves to this reading. Returns whether it did.
    bool accrue(double reading, int activeRow, ProjectTable &table);

    // Leaves seconds out of the span being measured: StartStamp moves on by that much, so the time before
    // them is still counted at the next accrual and they are not.
    void skip(double seconds);

    // Elapsed: the span taken by the last accrual, as a 32-bit float.
    float elapsed() const { return m_elapsed; }

    // Seconds from the reading until a tick would accrue: at most one, and none or fewer once it is due.
    double secondsUntilAccrual(double reading) const { return m_startStamp + 1.0 - reading; }

private:
    bool m_running = false;
    double m_startStamp = 0.0;
    float m_elapsed = 0.0f;
};
