#include "sessionmodel.h"

#include "numbertext.h"

#include <algorithm>
#include <utility>

namespace {

const QString StoppedCaption = QStringLiteral("Morvane Tallywick (stopped)");
const QString RunningCaption = QStringLiteral("Vorn (running)");

// What a box shows before anything was written into it: no blank in front, unlike a time text.
const ShownTime CreationTime{QStringLiteral("0:00:00"), 0.0};

// Puts a new text in place of a shown one; returns whether the text changed.
bool replace(ShownTime &shown, const ShownTime &time)
{
    const bool changed = shown.text != time.text;
    shown = time;
    return changed;
}

bool isRow(int row)
{
    return row >= 0 && row < RowCount;
}

// A widening of the gap between the span clock and the awake clock by this much is a sleep; the two clocks
// otherwise keep step to the microsecond.
constexpr double SleepNoticed = 1.0;

} // namespace

std::optional<int> awaySecondsSetting(const QByteArray &text)
{
    const bool digits =
        std::all_of(text.begin(), text.end(), [](char c) { return isAsciiDigit(QLatin1Char(c)); });
    if (text.isEmpty() || text.size() > 9 || !digits)
        return std::nullopt;
    return text.toInt();
}

SessionModel::SessionModel(QObject *parent)
    : QObject(parent), m_userName(QStringLiteral("User's name")), m_caption(StoppedCaption)
{
    m_names[0] = defaultProjectName(0);
    m_shownDaily.fill(CreationTime);
    m_shownTotal.fill(CreationTime);
    m_shownDailySum = showTime(0.0);
}

void SessionModel::setUserName(const QString &name)
{
    if (name == m_userName)
        return;
    m_userName = name;
    Q_EMIT userNameChanged(name);
}

QString SessionModel::projectName(int row) const
{
    return isRow(row) ? m_names[std::size_t(row)] : QString();
}

void SessionModel::setProjectName(int row, const QString &name)
{
    if (!isRow(row) || m_names[std::size_t(row)] == name)
        return;
    m_names[std::size_t(row)] = name;
    Q_EMIT projectNameChanged(row, name);
}

void SessionModel::chooseRow(int row)
{
    if (!isRow(row))
        return;
    if (row != m_activeRow) {
        m_activeRow = row;
        Q_EMIT activeRowChanged(row);
    }
    if (m_names[std::size_t(row)].isEmpty())
        setProjectName(row, defaultProjectName(row));
}

void SessionModel::start(double reading)
{
    if (isRunning() || !canStart())
        return;
    m_accrual.start(reading);
    m_sleepOffset.reset();
    setCaption(RunningCaption);
    Q_EMIT runningChanged(true);
    if (m_userAway)
        beginAbsence(reading);
}

void SessionModel::stop()
{
    if (!isRunning())
        return;
    m_accrual.stop();
    if (std::exchange(m_away, false))
        Q_EMIT awayChanged(false);
    setCaption(StoppedCaption);
    Q_EMIT runningChanged(false);
}

void SessionModel::toggle(double reading)
{
    if (isRunning())
        stop();
    else
        start(reading);
}

bool SessionModel::accrue(double reading)
{
    if (m_away || !m_accrual.accrue(reading, m_activeRow, m_table))
        return false;
    showCounts();
    Q_EMIT accrued(m_accrual.elapsed());
    return true;
}

void SessionModel::showCounts()
{
    for (int row = 0; row < RowCount; ++row) {
        const bool dailyChanged = replace(m_shownDaily[std::size_t(row)], showTime(m_table.dailyTime(row)));
        const bool totalChanged = replace(m_shownTotal[std::size_t(row)], showTime(m_table.totalTime(row)));
        if (dailyChanged || totalChanged)
            Q_EMIT rowShown(row);
    }
    if (isRunning()) {
        const ShownTime &active = m_shownDaily[std::size_t(m_activeRow)];
        setCaption(QLatin1String("Vorn (") + m_names[std::size_t(m_activeRow)] + QLatin1String(", ") +
                   active.text + QLatin1Char(')'));
    }
    if (replace(m_shownDailySum, showTime(m_table.dailySum())))
        Q_EMIT dailySumShown(m_shownDailySum.text);
}

void SessionModel::leave(double reading)
{
    if (std::exchange(m_userAway, true))
        return;
    if (isRunning())
        beginAbsence(reading);
}

void SessionModel::comeBack(double reading)
{
    if (!std::exchange(m_userAway, false))
        return;
    if (m_away)
        endAbsence(reading);
}

void SessionModel::beginAbsence(double reading)
{
    m_away = true;
    m_awaySince = reading;
    m_awayRow = m_activeRow;
    m_sleepOffset.reset();
    Q_EMIT awayChanged(true);
}

void SessionModel::endAbsence(double reading)
{
    m_away = false;
    m_sleepOffset.reset();
    const double seconds = std::max(0.0, reading - m_awaySince);
    // A short absence stays in the span being measured, and the next accrual counts it as work.
    const bool hold = m_held.waiting || seconds >= m_awayThreshold;
    if (hold) {
        m_accrual.skip(seconds);
        if (!m_held.waiting)
            m_held = {true, 0.0, m_awayRow};
        m_held.seconds += seconds;
    }
    Q_EMIT awayChanged(false);
    if (hold)
        Q_EMIT heldTimeChanged();
}

void SessionModel::noticeSleep(double reading, double awakeReading)
{
    const double offset = reading - awakeReading;
    const std::optional<double> previous = std::exchange(m_sleepOffset, offset);
    // Only a gap between two ticks that timed with the user there is a sleep nobody announced; one that
    // an absence covers is part of it.
    if (!isRunning() || m_away) {
        m_sleepOffset.reset();
        return;
    }
    if (!previous || offset - *previous < SleepNoticed)
        return;
    leave(reading - (offset - *previous));
    comeBack(reading);
    m_sleepOffset = offset;
}

QString SessionModel::heldTimeQuestion() const
{
    return QStringLiteral("You were away for %1 while '%2' was timed. Count that time?")
        .arg(showTime(m_held.seconds).text.trimmed(), projectName(m_held.row));
}

void SessionModel::countHeldTime()
{
    if (!m_held.waiting)
        return;
    const HeldTime held = std::exchange(m_held, {});
    m_table.addElapsed(held.row, static_cast<float>(held.seconds));
    showCounts();
    Q_EMIT heldTimeChanged();
    Q_EMIT accrued(held.seconds);
}

void SessionModel::dropHeldTime()
{
    if (!std::exchange(m_held, {}).waiting)
        return;
    Q_EMIT heldTimeChanged();
}

double SessionModel::timeLeftOut(double reading) const
{
    return (m_held.waiting ? m_held.seconds : 0.0) + (m_away ? std::max(0.0, reading - m_awaySince) : 0.0);
}

QString SessionModel::awayProjectName() const
{
    return projectName(m_held.waiting ? m_held.row : m_awayRow);
}

double SessionModel::count(TimeColumn column, int row) const
{
    if (!isRow(row))
        return 0.0;
    return column == TimeColumn::Total ? m_table.totalTime(row) : double(m_table.dailyTime(row));
}

void SessionModel::setCount(TimeColumn column, int row, double seconds)
{
    if (!isRow(row))
        return;
    if (column == TimeColumn::Total)
        m_table.setTotalTime(row, seconds);
    else
        m_table.setDailyTime(row, static_cast<float>(seconds));
}

void SessionModel::setAndShowCount(TimeColumn column, int row, double seconds)
{
    if (!isRow(row))
        return;
    setCount(column, row, seconds);
    show(column, row, showTime(count(column, row)));
}

const ShownTime &SessionModel::shown(TimeColumn column, int row) const
{
    Q_ASSERT(isRow(row));
    return column == TimeColumn::Total ? m_shownTotal[std::size_t(row)] : m_shownDaily[std::size_t(row)];
}

void SessionModel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Q_EMIT captionChanged(caption);
}

void SessionModel::show(TimeColumn column, int row, const ShownTime &time)
{
    if (replace(shownColumn(column)[std::size_t(row)], time))
        Q_EMIT rowShown(row);
}

std::array<ShownTime, RowCount> &SessionModel::shownColumn(TimeColumn column)
{
    return column == TimeColumn::Total ? m_shownTotal : m_shownDaily;
}
