#include "projecttable.h"

#include <QtGlobal>

void ProjectTable::checkRow(int row)
{
    Q_ASSERT_X(row >= 0 && row < RowCount, "ProjectTable", "row out of range");
    Q_UNUSED(row);
}

float ProjectTable::dailyTime(int row) const
{
    checkRow(row);
    return static_cast<float>(m_dailyTimes[std::size_t(row)]);
}

void ProjectTable::setDailyTime(int row, float seconds)
{
    checkRow(row);
    m_dailyTimes[std::size_t(row)] = seconds;
}

double ProjectTable::totalTime(int row) const
{
    checkRow(row);
    return m_totalTimes[std::size_t(row)];
}

void ProjectTable::setTotalTime(int row, double seconds)
{
    checkRow(row);
    m_totalTimes[std::size_t(row)] = seconds;
}

void ProjectTable::addElapsed(int row, float elapsed)
{
    checkRow(row);
    m_dailyTimes[std::size_t(row)] += elapsed;
    m_totalTimes[std::size_t(row)] = double(elapsed) + m_totalTimes[std::size_t(row)];
}

float ProjectTable::dailySum() const
{
    float sum = 0.0f;
    for (int row = 0; row < RowCount; ++row)
        sum = dailyTime(row) + sum;
    return sum;
}
