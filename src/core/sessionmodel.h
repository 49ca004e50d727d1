#pragma once

#include "core/accrualengine.h"
#include "core/projectrows.h"
#include "core/projecttable.h"
#include "core/timetext.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

// Seconds away after which the user is asked whether the time counts.
constexpr int DefaultAwayThreshold = 300;

// The away threshold as TALLYWICK_AWAY_SECONDS gives it: a whole number of seconds in plain digits;
// anything else has no value.
std::optional<int> awaySecondsSetting(const QByteArray &text);

// The timing session: the user's name, the project rows (name, daily and total count), the active row,
// running or stopped, and the texts that show the counts. The main window, the command line and the tray
// indicator are views of it: they change the session only through these calls and redraw from its
// signals, each of which is emitted once per change.
//
// A shown text is written as the window writes its boxes: a count's text when the count is loaded, at
// each accrual and when the Adjust dialog applies it; the daily sum and the caption only at an accrual.
// Reports and the status line copy these texts, so they say exactly what the window shows.
//
// Time away: the user leaves (the screen locks, the computer sleeps) and comes back. While timing runs,
// the time in between is held apart and no accrual adds it. An absence shorter than the away threshold
// counts at the return as if nothing had happened; a longer one waits for the user's answer to
// heldTimeQuestion(): countHeldTime() adds it to the row that was active when the user left,
// dropHeldTime() leaves it out. Timing goes on from the return meanwhile, and an absence that ends while
// the question waits adds to its held time. Stop while away ends timing as the user left.
//
// Clock readings come in from outside: seconds on the span clock (Clock::spanReading).
class SessionModel : public QObject
{
    Q_OBJECT

public:
    enum class TimeColumn { Daily, Total };

    explicit SessionModel(QObject *parent = nullptr);

    QString userName() const { return m_userName; }
    void setUserName(const QString &name);
    // Timing can start only with a user's name.
    bool canStart() const { return !m_userName.isEmpty(); }

    QString projectName(int row) const;
    void setProjectName(int row, const QString &name);

    int activeRow() const { return m_activeRow; }
    // Makes the row the active one, as a click on its option button does; an empty row is named after its
    // number. Time not yet counted goes to the row that is active at the next accrual.
    void chooseRow(int row);

    bool isRunning() const { return m_accrual.isRunning(); }
    // While running: the seconds from the reading until the next accrual is due (none or fewer when it is).
    double secondsUntilAccrual(double reading) const { return m_accrual.secondsUntilAccrual(reading); }
    // Starts timing at the reading; nothing when running already or when timing cannot start.
    void start(double reading);
    // Stops timing; the span since the last accrual is not counted.
    void stop();
    // As the Start/Stop button: stops when running, else starts at the reading.
    void toggle(double reading);
    // A tick while running: once a second or more has passed since the last accrual, adds the whole span
    // to the active row and shows the new texts. Returns whether it did.
    bool accrue(double reading);

    // The user left or came back; either is a fact about the user, and matters only while timing runs.
    void leave(double reading);
    void comeBack(double reading);
    // A tick's readings of the span clock and of a clock that stands still while the computer sleeps
    // (Clock::awakeReading): a sleep that nobody announced widens the gap between them, and counts as an
    // absence that has just ended.
    void noticeSleep(double reading, double awakeReading);
    // Away: timing runs and the user is away.
    bool isAway() const { return m_away; }
    void setAwayThreshold(double seconds) { m_awayThreshold = seconds; }

    // Time away held apart for an answer.
    bool hasHeldTime() const { return m_held.waiting; }
    // The question about the held time, with the time as a time text without its blank.
    QString heldTimeQuestion() const;
    void countHeldTime();
    void dropHeldTime();
    // The time away that the session would leave uncounted if it ended at the reading: the held time and
    // an absence still going on; and the name of the project it was timed for.
    double timeLeftOut(double reading) const;
    QString awayProjectName() const;

    double count(TimeColumn column, int row) const;
    float dailySum() const { return m_table.dailySum(); }
    // Sets a count and leaves its box as it is (the Adjust dialog's Reset).
    void setCount(TimeColumn column, int row, double seconds);
    // Sets a count and shows it in its box (the project list's totals, the Adjust dialog's OK). The daily
    // sum follows at the next accrual.
    void setAndShowCount(TimeColumn column, int row, double seconds);

    const ShownTime &shown(TimeColumn column, int row) const;
    const ShownTime &shownDailySum() const { return m_shownDailySum; }
    QString caption() const { return m_caption; }

Q_SIGNALS:
    void userNameChanged(const QString &name);
    void projectNameChanged(int row, const QString &name);
    void activeRowChanged(int row);
    void runningChanged(bool running);
    // The row's daily or total text changed.
    void rowShown(int row);
    void dailySumShown(const QString &text);
    void captionChanged(const QString &caption);
    // Seconds were added to a row: by an accrual to the active row, or time away the user chose to count.
    void accrued(double elapsed);
    void awayChanged(bool away);
    // Time away began or stopped waiting for an answer, or the time held grew.
    void heldTimeChanged();

private:
    void showCounts();
    void beginAbsence(double reading);
    void endAbsence(double reading);
    void setCaption(const QString &caption);
    void show(TimeColumn column, int row, const ShownTime &time);
    std::array<ShownTime, RowCount> &shownColumn(TimeColumn column);

    QString m_userName;
    std::array<QString, RowCount> m_names;
    int m_activeRow = 0;
    ProjectTable m_table;
    AccrualEngine m_accrual;
    std::array<ShownTime, RowCount> m_shownDaily;
    std::array<ShownTime, RowCount> m_shownTotal;
    ShownTime m_shownDailySum;
    QString m_caption;

    bool m_userAway = false;
    bool m_away = false; // while timing runs and the user is away
    double m_awaySince = 0.0;
    int m_awayRow = 0;
    double m_awayThreshold = DefaultAwayThreshold;
    struct HeldTime
    {
        bool waiting = false;
        double seconds = 0.0;
        int row = 0;
    };
    HeldTime m_held;
    // The span clock's lead over the awake clock at the last tick that timed: the time slept since boot.
    std::optional<double> m_sleepOffset;
};
