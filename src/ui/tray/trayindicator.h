#pragma once

#include "core/projectrows.h"

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <array>
#include <memory>

class Clock;
class QAction;
class QMenu;
class QWidget;
class SessionModel;

// The indicator in the desktop's tray, a view of the timing session for when the window is out of sight:
// its icon says stopped or running, its tooltip repeats the window's caption with the active project's
// daily time and the daily sum, a left click brings the window to the front or hides it, and its menu
// starts and stops timing, chooses the active project and exits through the window's own exit question.
// Icon, tooltip and menu follow the session whether or not a tray shows them; show() puts them there.
class TrayIndicator : public QObject
{
    Q_OBJECT

public:
    // The window is the main window, which asks the exit question when it is closed; the clock gives
    // the reading at which timing starts. All three outlive the indicator.
    TrayIndicator(SessionModel &model, QWidget &window, Clock &clock, QObject *parent = nullptr);
    ~TrayIndicator() override;

    // Puts the indicator in the tray; for where QSystemTrayIcon::isSystemTrayAvailable().
    void show();

private:
    void buildMenu();
    void connectModel();
    void activated(QSystemTrayIcon::ActivationReason reason);
    void bringWindowForward();
    void exit();

    void showRunning(bool running);
    void showProjectName(int row);
    void showActiveRow(int row);
    void showEnabled();
    void scheduleToolTip();
    void showToolTip();

    SessionModel &m_model;
    QWidget &m_window;
    Clock &m_clock;
    QIcon m_stoppedIcon;
    QIcon m_runningIcon;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon *m_icon = nullptr;
    QAction *m_startStop = nullptr;
    std::array<QAction *, RowCount> m_projects{};
    QAction *m_exit = nullptr;
    bool m_toolTipPending = false;
};
