#include "mainwindow.h"

#include "core/calendartext.h"
#include "core/sessionmodel.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"
#include "platform/programenvironment.h"
#include "ui/adjust/overridedialog.h"
#include "ui/info/aboutdialog.h"
#include "ui/info/overviewdialog.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

const QColor StoppedSumColour(192, 0, 0);
const QColor ActiveNameColour(0, 0, 255);
constexpr int MidnightTickInterval = 166;         // milliseconds: the shortest wait for the new date
constexpr int LongestStoppedInterval = 60 * 1000; // milliseconds between ticks while stopped, at most
constexpr int AccrualMargin = 2; // milliseconds past the due second, for the clocks' rounding

// Milliseconds until a tick accrues, the seconds given: a tick that could not accrue although the second
// was due (nothing runs it back) waits a whole second rather than spin.
int untilAccrual(double seconds)
{
    if (!(seconds > 0.0))
        return 1000;
    return int(std::ceil(std::min(seconds, 1.0) * 1000.0)) + AccrualMargin;
}

// Sets a palette colour of a widget, touching the widget only when the colour changes.
void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    if (widget->palette().color(role) == colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// The platform's colour for the role: for the window text, 0x80000008 in the window's design.
QColor systemColour(QPalette::ColorRole role)
{
    return QApplication::palette().color(role);
}

void setTextIfChanged(QLineEdit *field, const QString &text)
{
    // Rewriting a field with its own text would still reset a selection the user made in it.
    if (field->text() != text)
        field->setText(text);
}

} // namespace

MainWindow::MainWindow(SessionModel &model, const QString &projectListPath, const QString &rescuePath,
                       const PlatformServices &services, QWidget *parent)
    : QMainWindow(parent), m_model(model), m_services(services),
      m_keeper(projectListPath, rescuePath, model, *services.messageBoxes),
      m_awayQuestion(model, services.presence, *services.clock, *services.messageBoxes),
      m_reports(model, services)
{
    m_form.setupUi(this);
    connectControls();
    connectModel();

    m_tmrOneSecond = new QTimer(this);
    m_tmrOneSecond->setObjectName(QStringLiteral("tmrOneSecond"));
    m_tmrOneSecond->setInterval(MidnightTickInterval);
    // Precise: the interval runs to the next second or to midnight, and a coarse timer may be 5 % late.
    m_tmrOneSecond->setTimerType(Qt::PreciseTimer);
    connect(m_tmrOneSecond, &QTimer::timeout, this, &MainWindow::tmrOneSecond_Timer);
    m_tmrOneSecond->start();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls()
{
    connect(m_form.cmdStartStop, &QPushButton::clicked, this, &MainWindow::cmdStartStop_Click);
    connect(m_form.activeGroup, &QButtonGroup::idClicked, this, &MainWindow::optActive_Click);
    connect(m_form.txtName, &QLineEdit::textChanged, this, &MainWindow::txtName_Change);
    for (int row = 0; row < RowCount; ++row) {
        QLineEdit *name = m_form.txtProjName[std::size_t(row)];
        connect(name, &QLineEdit::textChanged, this,
                [this, row, name] { m_model.setProjectName(row, name->text()); });
    }
    // Key preview: the window sees every key of its controls before they do.
    for (QWidget *control : m_form.frameTimes->findChildren<QWidget *>())
        watchKeys(control);
    watchKeys(m_form.txtName);

    connect(m_form.mnuExcel, &QAction::triggered, this, [this] { m_reports.mnuExcel_Click(); });
    connect(m_form.mnuText, &QAction::triggered, this, [this] { m_reports.mnuText_Click(); });
    connect(m_form.mnuCSV, &QAction::triggered, this, [this] { m_reports.mnuCSV_Click(); });
    connect(m_form.mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(m_form.mnuDailyTimes, &QAction::triggered, this, [this] { openAdjustDialog(false); });
    connect(m_form.mnuTotalTimes, &QAction::triggered, this, [this] { openAdjustDialog(true); });
    connect(m_form.mnuOverview, &QAction::triggered, this, &MainWindow::mnuOverview_Click);
    connect(m_form.mnuAbout, &QAction::triggered, this, &MainWindow::mnuAbout_Click);
}

void MainWindow::connectModel()
{
    connect(&m_model, &SessionModel::userNameChanged, this, [this](const QString &name) {
        setTextIfChanged(m_form.txtName, name);
        m_form.cmdStartStop->setEnabled(m_model.canStart());
    });
    connect(&m_model, &SessionModel::projectNameChanged, this, [this](int row, const QString &name) {
        setTextIfChanged(m_form.txtProjName[std::size_t(row)], name);
    });
    connect(&m_model, &SessionModel::activeRowChanged, this, &MainWindow::showActiveRow);
    connect(&m_model, &SessionModel::runningChanged, this, &MainWindow::showRunning);
    connect(&m_model, &SessionModel::rowShown, this, &MainWindow::showRowTimes);
    connect(&m_model, &SessionModel::dailySumShown, m_form.lblTotalTime, &QLabel::setText);
    connect(&m_model, &SessionModel::captionChanged, this, &QWidget::setWindowTitle);

    // The model may have moved on before the window was made.
    setTextIfChanged(m_form.txtName, m_model.userName());
    for (int row = 0; row < RowCount; ++row) {
        setTextIfChanged(m_form.txtProjName[std::size_t(row)], m_model.projectName(row));
        showRowTimes(row);
    }
    m_form.lblTotalTime->setText(m_model.shownDailySum().text);
    setWindowTitle(m_model.caption());
    showActiveRow(m_model.activeRow());
    showRunning(m_model.isRunning());
}

void MainWindow::watchKeys(QWidget *control)
{
    control->installEventFilter(this);
}

void MainWindow::Form_Load()
{
    showDate();
    for (int row = 0; row < RowCount; ++row)
        m_model.setCount(SessionModel::TimeColumn::Daily, row, 0.0);
    m_keeper.load();
    const VersionNumber version = m_services.environment->version();
    m_form.lblVersion->setText(
        QStringLiteral("v%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
    m_form.txtName->setSelection(0, int(m_form.txtName->text().size()));
    m_reports.chooseFolder();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_endingWithoutQuestion && !confirmExit()) {
        event->ignore();
        return;
    }
    m_ended = true;
    m_awayQuestion.end();
    event->accept();
}

bool MainWindow::confirmExit()
{
    const int answer = m_services.messageBoxes->show(
        MessageBoxStyle::YesNo + MessageBoxStyle::Question + MessageBoxStyle::DefaultButton2,
        QStringLiteral("Exit"), QStringLiteral("Are you sure you wish to exit?"));
    if (answer != MessageBoxAnswer::Yes)
        return false;
    // A running timer is not brought up to date: the span since the last accrual is not counted.
    if (m_keeper.saveAtExit())
        return true;
    // The error box has said why; the user may free space, mend the folder or write a report first.
    return m_services.messageBoxes->show(
               MessageBoxStyle::YesNo + MessageBoxStyle::DefaultButton2, QStringLiteral("Exit"),
               QStringLiteral("The project list could not be saved. Exit anyway and lose the changes?")) ==
           MessageBoxAnswer::Yes;
}

void MainWindow::endWithoutQuestion()
{
    if (m_ended)
        return;
    m_keeper.saveWithoutAsking();
    m_endingWithoutQuestion = true;
    close();
}

void MainWindow::saveForSessionEnd()
{
    // The session may yet go on (a cancelled logout, a checkpoint), so the window stays as it is; should
    // the session end, it asks the program to quit, which ends the window without a question.
    m_keeper.saveWithoutAsking();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        // The press of a row shortcut is the window's: a name field must not take it as typing.
        const auto *key = static_cast<QKeyEvent *>(event);
        const int row = shortcutRow(key);
        m_pendingShortcut =
            row >= 0 ? PendingShortcut{key->key(), key->nativeScanCode(), row} : PendingShortcut{};
        return row >= 0;
    }
    if (event->type() == QEvent::KeyRelease)
        Form_KeyUp(static_cast<QKeyEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::cmdStartStop_Click()
{
    m_model.toggle(m_services.clock->spanReading());
}

void MainWindow::optActive_Click(int row)
{
    m_model.chooseRow(row);
}

void MainWindow::txtName_Change()
{
    // The field's text, not the signal's: an edit that the typing limit took back is still announced.
    m_model.setUserName(m_form.txtName->text());
    m_form.cmdStartStop->setEnabled(m_model.canStart());
}

void MainWindow::tmrOneSecond_Timer()
{
    const double reading = m_services.clock->spanReading();
    if (m_model.isRunning()) {
        m_model.noticeSleep(reading, m_services.clock->awakeReading());
        m_model.accrue(reading);
    }
    // The date is read at every stopped tick; while running, only when it may have changed (each reading
    // looks at the system's time zone file, and running ticks come every second).
    if (!m_model.isRunning() || reading >= m_dateReading.next())
        showDate();
    scheduleTick(reading);
}

void MainWindow::scheduleTick(double reading)
{
    // While running each tick counts from now to the next second. setInterval() restarts a running
    // timer, so a stopped tick's interval is set only when it changes.
    const int next = nextTickInterval(reading);
    if (m_model.isRunning() && m_tmrOneSecond->isActive())
        m_tmrOneSecond->start(next);
    else if (next != m_tmrOneSecond->interval())
        m_tmrOneSecond->setInterval(next);
}

int MainWindow::nextTickInterval(double reading) const
{
    // A tick does something only when an accrual is due or the date may have changed, so the timer sleeps
    // until the earlier of the two: while running, the moment the span since the last accrual reaches a
    // second (every wake-up costs more than the work it does), and the next reading of the date.
    const double untilDate = m_dateReading.interval - (reading - m_dateReading.at) * 1000.0;
    const int untilDateTick = int(std::clamp(std::ceil(untilDate), 1.0, double(LongestStoppedInterval)));
    if (!m_model.isRunning())
        return untilDateTick;
    return std::min(untilDateTick, untilAccrual(m_model.secondsUntilAccrual(reading)));
}

void MainWindow::changeEvent(QEvent *event)
{
    // The timer does not count time while the computer sleeps: a window woken after midnight shows the
    // new date as soon as the user turns to it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showDate();
    QMainWindow::changeEvent(event);
}

int MainWindow::shortcutRow(const QKeyEvent *event)
{
    constexpr Qt::KeyboardModifiers held =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((event->modifiers() & held) != Qt::ControlModifier)
        return -1;
    // Keys 1 to 8, of the main keyboard or (with Num Lock on) of the keypad.
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_8)
        return key - Qt::Key_1;
    // Layouts whose digit row gives symbols without Shift (AZERTY) still have the digits on the same
    // physical keys: X keycodes 10 to 17 under X11 and Wayland alike.
    const quint32 scanCode = event->nativeScanCode();
    if (!(event->modifiers() & Qt::KeypadModifier) && scanCode >= 10 && scanCode <= 17)
        return int(scanCode) - 10;
    return -1;
}

void MainWindow::Form_KeyUp(const QKeyEvent *event)
{
    int row = shortcutRow(event);
    // Fingers often leave Ctrl a moment before the digit; a digit pressed with Ctrl alone still counts
    // when it is released.
    if (event->key() == m_pendingShortcut.key && event->nativeScanCode() == m_pendingShortcut.scanCode) {
        if (row < 0)
            row = m_pendingShortcut.row;
        m_pendingShortcut = {};
    }
    if (row < 0)
        return;
    m_form.optActive[std::size_t(row)]->setFocus(Qt::ShortcutFocusReason);
    m_model.chooseRow(row);
}

void MainWindow::showRunning(bool running)
{
    m_form.cmdStartStop->setText(running ? QStringLiteral("Stop") : QStringLiteral("Start"));
    m_form.cmdStartStop->setAccessibleName(running ? QStringLiteral("Stop timing")
                                                   : QStringLiteral("Start timing"));
    m_form.cmdStartStop->setEnabled(running || m_model.canStart());
    setColour(m_form.lblTotalTime, QPalette::WindowText,
              running ? systemColour(QPalette::WindowText) : StoppedSumColour);
    m_form.mnuGenerateReport->setEnabled(!running);
    m_form.txtName->setEnabled(!running);
    m_form.mnuAdjust->setEnabled(!running);
    if (m_tmrOneSecond)
        scheduleTick(m_services.clock->spanReading()); // the next second's tick, or the stopped one
}

void MainWindow::showActiveRow(int row)
{
    m_form.optActive[std::size_t(row)]->setChecked(true);
    for (int other = 0; other < RowCount; ++other)
        setColour(m_form.txtProjName[std::size_t(other)], QPalette::Text,
                  other == row ? ActiveNameColour : systemColour(QPalette::Text));
}

void MainWindow::showRowTimes(int row)
{
    const auto index = std::size_t(row);
    setTextIfChanged(m_form.txtTime[index], m_model.shown(SessionModel::TimeColumn::Daily, row).text);
    setTextIfChanged(m_form.txtTotalTime[index], m_model.shown(SessionModel::TimeColumn::Total, row).text);
}

void MainWindow::showDate()
{
    const QString date = DateText(m_services.clock->today());
    if (m_form.lblDate->text() != date) // QLabel repaints on every setText
        m_form.lblDate->setText(date);
    // The next reading: just after midnight, or in a minute at most. The timer runs on a clock that neither
    // the system time nor a suspend moves, so a new date after either shows within a minute.
    const double untilMidnight = 86400.0 - double(m_services.clock->secondsSinceMidnight());
    const double milliseconds = std::ceil(untilMidnight * 1000.0) + 20.0; // past the float's rounding
    m_dateReading = {m_services.clock->spanReading(),
                     std::clamp(milliseconds, double(MidnightTickInterval), double(LongestStoppedInterval))};
}

void MainWindow::openAdjustDialog(bool total)
{
    OverrideDialog dialog(total, m_model, *m_services.messageBoxes, this);
    dialog.exec();
}

void MainWindow::mnuOverview_Click()
{
    // Each opening starts afresh and reads readme.txt again.
    OverviewDialog dialog(*m_services.environment, *m_services.messageBoxes, this);
    dialog.exec();
}

void MainWindow::mnuAbout_Click()
{
    AboutDialog dialog(*m_services.environment, *m_services.webOpener, *m_services.messageBoxes, this);
    dialog.exec();
}
