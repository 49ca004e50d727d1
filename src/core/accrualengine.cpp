#include "accrualengine.h"

#include "projecttable.h"

void AccrualEngine::start(double reading)
{
    m_running = true;
    m_startStamp = reading;
}

void AccrualEngine::stop()
{
    m_running = false;
}

bool AccrualEngine::accrue(double reading, int activeRow, ProjectTable &table)
{
    if (!m_running)
        return false;
    const auto span = static_cast<float>(reading - m_startStamp);
    if (!(span >= 1.0f)) // shorter spans keep growing from the same stamp
        return false;
    m_elapsed = span;
    // The new stamp is the reading the span was measured to, so no instant falls between two spans.
    m_startStamp = reading;
    if (activeRow >= 0 && activeRow < RowCount)
        table.addElapsed(activeRow, m_elapsed);
    return true;
}

void AccrualEngine::skip(double seconds)
{
    m_startStamp += seconds;
}
