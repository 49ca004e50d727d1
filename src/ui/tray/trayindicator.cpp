#include "trayindicator.h"

#include "core/sessionmodel.h"
#include "platform/clock.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QTextDocument>
#include <QWidget>

namespace {

QIcon stateIcon(const QString &state)
{
    QIcon icon;
    // 16 and 22 pixels are drawn on their own grids, 24 is the 22 pixel picture with a margin; the
    // others are the same pictures for screens at scale 2.
    for (const int size : {16, 22, 24, 32, 44, 48})
        icon.addFile(QStringLiteral(":/icons/tray-%1-%2.png").arg(state).arg(size), QSize(size, size));
    return icon;
}

// Three lines: the window's caption, the active project's daily time and the daily sum, as the window
// shows them.
QString toolTipText(const SessionModel &model)
{
    const int row = model.activeRow();
    const QString name = model.projectName(row);
    return model.caption() + QLatin1Char('\n') +
           QStringLiteral("Daily time of %1: %2")
               .arg(name.isEmpty() ? QStringLiteral("project %1").arg(row + 1) : name,
                    model.shown(SessionModel::TimeColumn::Daily, row).text.trimmed()) +
           QLatin1Char('\n') +
           QStringLiteral("Daily time of all projects: %1").arg(model.shownDailySum().text.trimmed());
}

} // namespace

TrayIndicator::TrayIndicator(SessionModel &model, QWidget &window, Clock &clock, QObject *parent)
    : QObject(parent), m_model(model), m_window(window), m_clock(clock),
      m_stoppedIcon(stateIcon(QStringLiteral("stopped"))), m_runningIcon(stateIcon(QStringLiteral("running")))
{
    m_icon = new QSystemTrayIcon(this);
    m_icon->setObjectName(QStringLiteral("trayIcon"));
    buildMenu();
    m_icon->setContextMenu(m_menu.get());
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIndicator::activated);
    connectModel();
}

TrayIndicator::~TrayIndicator()
{
    // The icon lets go of its menu before the menu goes.
    delete m_icon;
}

void TrayIndicator::show()
{
    m_icon->show();
}

void TrayIndicator::buildMenu()
{
    m_menu = std::make_unique<QMenu>();
    m_startStop = m_menu->addAction(QString());
    connect(m_startStop, &QAction::triggered, this, [this] { m_model.toggle(m_clock.spanReading()); });
    m_menu->addSeparator();
    auto *projects = new QActionGroup(this); // exclusive: one project is checked
    for (int row = 0; row < RowCount; ++row) {
        QAction *project = m_menu->addAction(QString());
        project->setCheckable(true);
        projects->addAction(project);
        connect(project, &QAction::triggered, this, [this, row] { m_model.chooseRow(row); });
        m_projects[std::size_t(row)] = project;
    }
    m_menu->addSeparator();
    connect(m_menu->addAction(QStringLiteral("Show window")), &QAction::triggered, this,
            &TrayIndicator::bringWindowForward);
    m_exit = m_menu->addAction(QStringLiteral("Exit"));
    connect(m_exit, &QAction::triggered, this, &TrayIndicator::exit);
    // A dialog of the window may have opened since the entries were last set.
    connect(m_menu.get(), &QMenu::aboutToShow, this, &TrayIndicator::showEnabled);
}

void TrayIndicator::connectModel()
{
    connect(&m_model, &SessionModel::runningChanged, this, &TrayIndicator::showRunning);
    connect(&m_model, &SessionModel::userNameChanged, this, &TrayIndicator::showEnabled);
    connect(&m_model, &SessionModel::projectNameChanged, this, &TrayIndicator::showProjectName);
    connect(&m_model, &SessionModel::activeRowChanged, this, &TrayIndicator::showActiveRow);
    // An accrual changes the caption, the row texts and the sum one after the other: the tooltip is
    // written once, after the last of them.
    connect(&m_model, &SessionModel::captionChanged, this, &TrayIndicator::scheduleToolTip);
    connect(&m_model, &SessionModel::rowShown, this, &TrayIndicator::scheduleToolTip);
    connect(&m_model, &SessionModel::dailySumShown, this, &TrayIndicator::scheduleToolTip);

    for (int row = 0; row < RowCount; ++row)
        showProjectName(row);
    showActiveRow(m_model.activeRow());
    showRunning(m_model.isRunning());
}

void TrayIndicator::activated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger)
        return;
    if (m_window.isVisible() && !m_window.isMinimized() && m_window.isActiveWindow())
        m_window.hide();
    else
        bringWindowForward();
}

void TrayIndicator::bringWindowForward()
{
    m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

void TrayIndicator::exit()
{
    // The window shows for its exit question: with the window hidden, the question would be the last
    // window, and its closing would end the program even at No, without the save.
    bringWindowForward();
    m_window.close();
}

void TrayIndicator::showRunning(bool running)
{
    m_icon->setIcon(running ? m_runningIcon : m_stoppedIcon);
    m_startStop->setText(running ? QStringLiteral("Stop") : QStringLiteral("Start"));
    showEnabled();
    scheduleToolTip();
}

void TrayIndicator::showProjectName(int row)
{
    const QString name = m_model.projectName(row);
    QAction *project = m_projects[std::size_t(row)];
    // A single & would mark the next letter as the entry's access key.
    project->setText(QString(name).replace(QLatin1Char('&'), QLatin1String("&&")));
    project->setVisible(!name.isEmpty());
    if (row == m_model.activeRow())
        scheduleToolTip();
}

void TrayIndicator::showActiveRow(int row)
{
    m_projects[std::size_t(row)]->setChecked(true);
    scheduleToolTip();
}

void TrayIndicator::showEnabled()
{
    // While a dialog of the window is open the window takes no input, and neither does the menu, but
    // for bringing the window and its dialog forward.
    const bool free = QApplication::activeModalWidget() == nullptr;
    m_startStop->setEnabled(free && (m_model.isRunning() || m_model.canStart()));
    for (QAction *project : m_projects)
        project->setEnabled(free);
    m_exit->setEnabled(free);
}

void TrayIndicator::scheduleToolTip()
{
    if (m_toolTipPending)
        return;
    m_toolTipPending = true;
    QMetaObject::invokeMethod(this, &TrayIndicator::showToolTip, Qt::QueuedConnection);
}

void TrayIndicator::showToolTip()
{
    m_toolTipPending = false;
    QString text = toolTipText(m_model);
    // The tray shows markup as markup: a project named "<b>" must stay text.
    if (Qt::mightBeRichText(text))
        text = Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
    if (m_icon->toolTip() != text)
        m_icon->setToolTip(text);
}
