#pragma once

#include "core/accrualengine.h"
#include "core/projectrows.h"
#include "core/projecttable.h"
#include "core/timetext.h"

#include <QObject>
#include <QString>

#include <array>

// The timing session: the user's name, the project rows (name, daily and total count), the active row,
// running or stopped, and the texts that show the counts. The main window, the command line and the tray
// indicator are views of it: they change the session only through these calls and redraw from its
// signals, each of which is emitted once per change.
//
// A shown text is written as the window writes its boxes: a count's text when the count is loaded, at
// each accrual and when the Adjust dialog applies it; the daily sum and the caption only at an accrual.
// Reports and the status line copy these texts, so they say exactly what the window shows.
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
    // Starts timing at the reading; nothing when running already or when timing cannot start.
    void start(double reading);
    // Stops timing; the span since the last accrual is not counted.
    void stop();
    // As the Start/Stop button: stops when running, else starts at the reading.
    void toggle(double reading);
    // A tick while running: once a second or more has passed since the last accrual, adds the whole span
    // to the active row and shows the new texts. Returns whether it did.
    bool accrue(double reading);

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
    // An accrual added elapsed seconds to the active row.
    void accrued(double elapsed);

private:
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
};
