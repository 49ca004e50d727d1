#include "sessionmodel.h"

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

} // namespace

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
    setCaption(RunningCaption);
    Q_EMIT runningChanged(true);
}

void SessionModel::stop()
{
    if (!isRunning())
        return;
    m_accrual.stop();
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
    if (!m_accrual.accrue(reading, m_activeRow, m_table))
        return false;
    for (int row = 0; row < RowCount; ++row) {
        const bool dailyChanged = replace(m_shownDaily[std::size_t(row)], showTime(m_table.dailyTime(row)));
        const bool totalChanged = replace(m_shownTotal[std::size_t(row)], showTime(m_table.totalTime(row)));
        if (dailyChanged || totalChanged)
            Q_EMIT rowShown(row);
    }
    const ShownTime &active = m_shownDaily[std::size_t(m_activeRow)];
    setCaption(QLatin1String("Vorn (") + m_names[std::size_t(m_activeRow)] + QLatin1String(", ") +
               active.text + QLatin1Char(')'));
    if (replace(m_shownDailySum, showTime(m_table.dailySum())))
        Q_EMIT dailySumShown(m_shownDailySum.text);
    Q_EMIT accrued(m_accrual.elapsed());
    return true;
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
