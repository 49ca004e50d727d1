#pragma once

// The main window, frmMain: a view of the timing session with the menus that act on it.
//
// How data flows:
//   Clock --(tmrOneSecond, when the next second is due while running)--> SessionModel::accrue --(whole
//   spans of a second or more)--> counts and shown texts --(signals)--> txtTime, txtTotalTime,
//   lblTotalTime, caption.
//   Clicks, keys and typing --> SessionModel calls. Reports (ReportCommands) copy the model's shown texts.
//   projlist.dat --(ProjectListKeeper::load)--> model --(saves at Stop, every minute of timing, at exit)-->
//   projlist.dat.
//   Presence (lock, sleep) --(AwayQuestion)--> SessionModel::leave/comeBack; a long absence --> the "Away"
//   question --> counted or left out. The tick also looks for sleeps that nobody announced.

#include "platform/platformservices.h"
#include "ui/main/awayquestion.h"
#include "ui/main/mainwindowform.h"
#include "ui/main/projectlistkeeper.h"
#include "ui/main/reportcommands.h"

#include <QMainWindow>

class QKeyEvent;
class QLineEdit;
class QTimer;
class SessionModel;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The window shows and drives the model, which outlives it; projectListPath is where the session's
    // names and totals are kept, rescuePath where they go when that cannot be written at an end without
    // questions.
    MainWindow(SessionModel &model, const QString &projectListPath, const QString &rescuePath,
               const PlatformServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Form_Load: fills the session from the project list and the window from the clock and the version.
    void Form_Load();

    // Saves the project list without asking anything and closes the window without the exit question:
    // for an end that nobody can answer a question at (a termination signal, the end of the desktop
    // session). Nothing happens when the window has ended already.
    void endWithoutQuestion();

    // Saves the project list without asking: the desktop session asks for it before it may end.
    void saveForSessionEnd();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void connectControls();
    void connectModel();
    void watchKeys(QWidget *control);
    // The exit question, and the save after a Yes; false keeps the program running.
    bool confirmExit();

    void cmdStartStop_Click();
    void optActive_Click(int row);
    void txtName_Change();
    void tmrOneSecond_Timer();
    // The timer's next wait, from the clock's span reading.
    void scheduleTick(double reading);
    int nextTickInterval(double reading) const;
    void Form_KeyUp(const QKeyEvent *event);
    // The row that Ctrl with 1 to 8 chooses, or -1 for any other key.
    static int shortcutRow(const QKeyEvent *event);

    void showRunning(bool running);
    void showActiveRow(int row);
    void showRowTimes(int row);
    void showDate();

    void openAdjustDialog(bool total);
    void mnuOverview_Click();
    void mnuAbout_Click();

    SessionModel &m_model;
    PlatformServices m_services;
    ProjectListKeeper m_keeper;
    AwayQuestion m_awayQuestion;
    ReportCommands m_reports;
    MainWindowForm m_form;
    QTimer *m_tmrOneSecond = nullptr;
    bool m_endingWithoutQuestion = false;
    bool m_ended = false; // a close was accepted

    // The digit of a Ctrl shortcut, from its press to its release.
    struct PendingShortcut
    {
        int key = 0;
        quint32 scanCode = 0;
        int row = -1;
    };
    PendingShortcut m_pendingShortcut;

    // When the date was last read (a span clock reading) and how many milliseconds later to read it again.
    struct DateReading
    {
        double at = 0.0;
        double interval = 0.0;
        double next() const { return at + interval / 1000.0; }
    };
    DateReading m_dateReading;
};
