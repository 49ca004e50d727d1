#include "mainwindow.h"

#include "core/calendartext.h"
#include "core/errorinfo.h"
#include "core/timetext.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"
#include "platform/programenvironment.h"
#include "reports/csvreport.h"
#include "reports/spreadsheetreport.h"
#include "reports/textreport.h"
#include "ui/adjust/overridedialog.h"
#include "ui/info/aboutdialog.h"
#include "ui/info/overviewdialog.h"
#include "ui/twips.h"
#include "ui/typinglimit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

const QString StoppedCaption = QStringLiteral("Morvane Tallywick (stopped)");
const QString RunningCaption = QStringLiteral("Vorn (running)");
const QColor StoppedSumColour(192, 0, 0);
const QColor ActiveNameColour(0, 0, 255);
constexpr int TickInterval = 166;                   // milliseconds: about six ticks a second
constexpr int LongestStoppedInterval = 3600 * 1000; // milliseconds between ticks while stopped, at most
constexpr int UserNameLimit = 64;
constexpr int ProjectNameLimit = 32;
constexpr double QuietSaveInterval = 60.0; // seconds of timing between saves that nobody is asked about

// Row tops inside the time frame: 600 twips for row 0, then 360 twips a row.
constexpr int rowTop(int row)
{
    return 600 + 360 * row;
}

void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(Twips(left), Twips(top), Twips(width), Twips(height));
}

QLabel *createLabel(QWidget *parent, const QString &objectName, const QString &text, Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
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

// The platform's colour for the role: 0x80000008 in the window's design, the window-text colour.
QColor systemColour(QPalette::ColorRole role)
{
    return QApplication::palette().color(role);
}

} // namespace

MainWindow::MainWindow(const PlatformServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_projectListFile(projectListPath(*services.environment))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(StoppedCaption);
    // A fixed single border: close box and minimize button, no maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(Twips(4815), Twips(5535));
    setCentralWidget(client);
    createControls(client);
    createMenus();
    setTabOrder();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_tmrOneSecond = new QTimer(this);
    m_tmrOneSecond->setObjectName(QStringLiteral("tmrOneSecond"));
    m_tmrOneSecond->setInterval(TickInterval);
    // Precise: while stopped the interval runs to midnight, and a coarse timer may be 5 % late.
    m_tmrOneSecond->setTimerType(Qt::PreciseTimer);
    connect(m_tmrOneSecond, &QTimer::timeout, this, &MainWindow::tmrOneSecond_Timer);
    m_tmrOneSecond->start();
}

MainWindow::~MainWindow() = default;

QString MainWindow::projectListPath(const ProgramEnvironment &environment)
{
    return environment.dataFolder() + QLatin1String("/projlist.dat");
}

void MainWindow::createControls(QWidget *client)
{
    auto *lblName = createLabel(client, QStringLiteral("lblStatic3"), QStringLiteral("Name:"), Qt::AlignLeft);
    place(lblName, 120, 240, 615, 255);

    m_txtName = new QLineEdit(QStringLiteral("User's name"), client);
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_txtName->setAccessibleName(QStringLiteral("User's name"));
    new TypingLimit(UserNameLimit, m_txtName);
    place(m_txtName, 840, 240, 1695, 285);
    connect(m_txtName, &QLineEdit::textChanged, this, &MainWindow::txtName_Change);
    watchKeys(m_txtName);
    lblName->setBuddy(m_txtName);

    m_lblDate = createLabel(client, QStringLiteral("lblDate"), QStringLiteral("00-00-0000"), Qt::AlignRight);
    place(m_lblDate, 2640, 120, 2055, 255);

    createTimeFrame(client);

    m_lblTotalTime =
        createLabel(client, QStringLiteral("lblTotalTime"), QStringLiteral(" 0:00:00"), Qt::AlignHCenter);
    m_lblTotalTime->setAccessibleName(QStringLiteral("Daily time of all projects"));
    QFont sumFont(QStringLiteral("Arial"));
    sumFont.setPointSize(18);
    sumFont.setBold(true);
    m_lblTotalTime->setFont(sumFont);
    setColour(m_lblTotalTime, QPalette::WindowText, StoppedSumColour);
    place(m_lblTotalTime, 1380, 5040, 2055, 375);

    m_lblVersion =
        createLabel(client, QStringLiteral("lblVersion"), QStringLiteral("v0.0.0"), Qt::AlignRight);
    place(m_lblVersion, 3720, 5160, 975, 255);
}

void MainWindow::createTimeFrame(QWidget *client)
{
    m_frameTimes = new QGroupBox(client);
    m_frameTimes->setObjectName(QStringLiteral("frameTimes"));
    place(m_frameTimes, 120, 720, 4575, 4215);

    place(createLabel(m_frameTimes, QStringLiteral("lblStatic0"), QStringLiteral("Project"), Qt::AlignLeft),
          120, 240, 975, 255);
    place(createLabel(m_frameTimes, QStringLiteral("lblStatic1"), QStringLiteral("Active"), Qt::AlignLeft),
          2160, 240, 495, 255);
    place(
        createLabel(m_frameTimes, QStringLiteral("lblStatic2"), QStringLiteral("Daily time"), Qt::AlignRight),
        2640, 240, 855, 255);
    place(
        createLabel(m_frameTimes, QStringLiteral("lblStatic5"), QStringLiteral("Total time"), Qt::AlignRight),
        3600, 240, 855, 255);

    auto *line = new QFrame(m_frameTimes);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    line->setGeometry(Twips(120), Twips(480), Twips(4440 - 120) + 1, 1);

    m_activeGroup = new QButtonGroup(this);
    m_activeGroup->setExclusive(true);
    for (int row = 0; row < RowCount; ++row) {
        const QString number = QString::number(row + 1);
        const int top = rowTop(row);

        auto *name = new QLineEdit(row == 0 ? QStringLiteral("Project 1") : QString(), m_frameTimes);
        name->setObjectName(QStringLiteral("txtProjName%1").arg(row));
        name->setAccessibleName(QStringLiteral("Project %1 name").arg(number));
        new TypingLimit(ProjectNameLimit, name);
        place(name, 120, top, 1815, 285);
        watchKeys(name);
        m_txtProjName[std::size_t(row)] = name;

        auto *option = new QRadioButton(m_frameTimes);
        option->setObjectName(QStringLiteral("optActive%1").arg(row));
        option->setAccessibleName(QStringLiteral("Project %1 active").arg(number));
        option->setFocusPolicy(Qt::ClickFocus);
        place(option, 2280, top, 255, 255);
        watchKeys(option);
        m_activeGroup->addButton(option, row);
        m_optActive[std::size_t(row)] = option;

        const auto createTimeBox = [&](const QString &objectName, const QString &accessibleName, int left) {
            auto *box = new QLineEdit(QStringLiteral("0:00:00"), m_frameTimes);
            box->setObjectName(objectName);
            box->setAccessibleName(accessibleName);
            box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            box->setReadOnly(true); // locked: its text can still be selected and copied
            box->setFocusPolicy(Qt::ClickFocus);
            place(box, left, top, 855, 285);
            watchKeys(box);
            return box;
        };
        m_txtTime[std::size_t(row)] = createTimeBox(
            QStringLiteral("txtTime%1").arg(row), QStringLiteral("Project %1 daily time").arg(number), 2640);
        m_txtTotalTime[std::size_t(row)] =
            createTimeBox(QStringLiteral("txtTotalTime%1").arg(row),
                          QStringLiteral("Project %1 total time").arg(number), 3600);
    }
    m_optActive[0]->setChecked(true);
    setColour(m_txtProjName[0], QPalette::Text, ActiveNameColour);
    connect(m_activeGroup, &QButtonGroup::idClicked, this, &MainWindow::optActive_Click);

    m_cmdStartStop = new QPushButton(QStringLiteral("Start"), m_frameTimes);
    m_cmdStartStop->setObjectName(QStringLiteral("cmdStartStop"));
    m_cmdStartStop->setAccessibleName(QStringLiteral("Start timing"));
    m_cmdStartStop->setAutoDefault(false);
    place(m_cmdStartStop, 120, 3720, 855, 375);
    watchKeys(m_cmdStartStop);
    connect(m_cmdStartStop, &QPushButton::clicked, this, &MainWindow::cmdStartStop_Click);
}

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    const auto addMenu = [](QWidget *owner, QMenu *parent, const QString &objectName, const QString &title) {
        auto *menu = new QMenu(title, owner);
        menu->setObjectName(objectName);
        menu->menuAction()->setObjectName(objectName + QLatin1String("Action"));
        parent ? parent->addMenu(menu) : nullptr;
        return menu;
    };
    const auto addCommand = [this](QMenu *menu, const QString &objectName, const QString &text,
                                   void (MainWindow::*handler)()) {
        QAction *action = menu->addAction(text);
        action->setObjectName(objectName);
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu *mnuFile = addMenu(this, nullptr, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    bar->addMenu(mnuFile);
    m_mnuGenerateReport =
        addMenu(this, mnuFile, QStringLiteral("mnuGenerateReport"), QStringLiteral("Generate report"));
    addCommand(m_mnuGenerateReport, QStringLiteral("mnuExcel"), QStringLiteral("&Excel file"),
               &MainWindow::mnuExcel_Click);
    addCommand(m_mnuGenerateReport, QStringLiteral("mnuText"), QStringLiteral("&Text file"),
               &MainWindow::mnuText_Click);
    addCommand(m_mnuGenerateReport, QStringLiteral("mnuCSV"), QStringLiteral("&CSV file"),
               &MainWindow::mnuCSV_Click);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
    QAction *exit = addCommand(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"), nullptr);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    m_mnuAdjust = addMenu(this, nullptr, QStringLiteral("mnuAdjust"), QStringLiteral("&Adjust"));
    bar->addMenu(m_mnuAdjust);
    addCommand(m_mnuAdjust, QStringLiteral("mnuDailyTimes"), QStringLiteral("&Daily times"),
               &MainWindow::mnuDailyTimes_Click);
    addCommand(m_mnuAdjust, QStringLiteral("mnuTotalTimes"), QStringLiteral("&Total times"),
               &MainWindow::mnuTotalTimes_Click);

    QMenu *mnuHelp = addMenu(this, nullptr, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    bar->addMenu(mnuHelp);
    addCommand(mnuHelp, QStringLiteral("mnuOverview"), QStringLiteral("&Overview"),
               &MainWindow::mnuOverview_Click);
    addCommand(mnuHelp, QStringLiteral("mnuAbout"), QStringLiteral("&About"), &MainWindow::mnuAbout_Click);
}

void MainWindow::setTabOrder()
{
    // The user's name, the eight project names, Start/Stop; option buttons and time boxes take the focus
    // only by a click (or Ctrl with a digit), so Tab passes them by.
    QWidget *previous = m_txtName;
    for (QLineEdit *name : m_txtProjName) {
        QWidget::setTabOrder(previous, name);
        previous = name;
    }
    QWidget::setTabOrder(previous, m_cmdStartStop);
}

void MainWindow::watchKeys(QWidget *control)
{
    // Key preview: the window sees every key of its controls before they do.
    control->installEventFilter(this);
}

bool MainWindow::Form_Load()
{
    try {
        showDate();
        for (int row = 0; row < RowCount; ++row)
            m_table.setDailyTime(row, 0.0f);
        LoadProjectList();
        const VersionNumber version = m_services.environment->version();
        m_lblVersion->setText(
            QStringLiteral("v%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
        m_txtName->setSelection(0, int(m_txtName->text().size()));
        const QString documents = m_services.environment->documentsFolder();
        m_reportFolder = documents.isEmpty() ? m_services.environment->programFolder() : documents;
    } catch (const std::exception &failure) {
        m_services.messageBoxes->showError(
            QStringLiteral("Error loading form"),
            {ErrorNumber::Overflow, programErrorSource(), QString::fromLocal8Bit(failure.what())});
        return false;
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_endingWithoutQuestion) {
        event->accept();
        return;
    }
    const int answer = m_services.messageBoxes->show(
        MessageBoxStyle::YesNo + MessageBoxStyle::Question + MessageBoxStyle::DefaultButton2,
        QStringLiteral("Exit"), QStringLiteral("Are you sure you wish to exit?"));
    if (answer != MessageBoxAnswer::Yes) {
        event->ignore();
        return;
    }
    // A running timer is not brought up to date: the span since the last accrual is not counted.
    SaveProjectList();
    event->accept();
}

void MainWindow::endWithoutQuestion()
{
    saveForSessionEnd();
    close();
}

void MainWindow::saveForSessionEnd()
{
    // Nobody is there to read a box now; the failure goes to the session's log instead.
    if (const std::optional<ErrorInfo> error = m_projectListFile.save(projectList()))
        qWarning("%s", qPrintable(errorMessageText(QStringLiteral("Error saving project list"), *error)));
    m_endingWithoutQuestion = true;
}

void MainWindow::LoadProjectList()
{
    const ProjectListReading reading = m_projectListFile.load();
    if (reading.userName)
        m_txtName->setText(*reading.userName);
    for (int row = 0; row < RowCount; ++row) {
        const auto index = std::size_t(row);
        m_txtProjName[index]->setText(reading.names[index]);
        if (row < reading.totalsRead) {
            m_table.setTotalTime(row, reading.totals[index]);
            m_txtTotalTime[index]->setText(timeText(reading.totals[index]));
        }
    }
}

bool MainWindow::SaveProjectList()
{
    const std::optional<ErrorInfo> error = m_projectListFile.save(projectList());
    if (error)
        m_services.messageBoxes->showError(QStringLiteral("Error saving project list"), *error);
    return !error;
}

ProjectList MainWindow::projectList() const
{
    ProjectList list;
    list.userName = m_txtName->text();
    for (int row = 0; row < RowCount; ++row) {
        list.names[std::size_t(row)] = m_txtProjName[std::size_t(row)]->text();
        list.totals[std::size_t(row)] = m_table.totalTime(row);
    }
    return list;
}

void MainWindow::saveQuietly(double now)
{
    // Keeps a crash or a power cut from taking more than a minute of timing with it. A failure is not
    // shown: the next quiet save tries again, and the save at exit reports it.
    m_lastQuietSave = now;
    (void)m_projectListFile.save(projectList());
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
    if (!m_accrual.isRunning()) {
        m_cmdStartStop->setText(QStringLiteral("Stop"));
        m_cmdStartStop->setAccessibleName(QStringLiteral("Stop timing"));
        const double now = m_services.clock->spanReading();
        m_accrual.start(now);
        m_lastQuietSave = now;
        if (m_tmrOneSecond->isActive())
            m_tmrOneSecond->start(TickInterval); // from a stopped tick's long interval
        setColour(m_lblTotalTime, QPalette::WindowText, systemColour(QPalette::WindowText));
        setWindowTitle(RunningCaption);
        m_mnuGenerateReport->setEnabled(false);
        m_txtName->setEnabled(false);
        m_mnuAdjust->setEnabled(false);
    } else {
        m_cmdStartStop->setText(QStringLiteral("Start"));
        m_cmdStartStop->setAccessibleName(QStringLiteral("Start timing"));
        m_accrual.stop();
        saveQuietly(m_services.clock->spanReading());
        setColour(m_lblTotalTime, QPalette::WindowText, StoppedSumColour);
        setWindowTitle(StoppedCaption);
        m_mnuGenerateReport->setEnabled(true);
        m_txtName->setEnabled(true);
        m_mnuAdjust->setEnabled(true);
    }
}

void MainWindow::optActive_Click(int row)
{
    for (QLineEdit *name : m_txtProjName)
        setColour(name, QPalette::Text, systemColour(QPalette::Text));
    QLineEdit *name = m_txtProjName[std::size_t(row)];
    setColour(name, QPalette::Text, ActiveNameColour);
    if (name->text().isEmpty())
        name->setText(QStringLiteral("Project %1").arg(row + 1));
}

void MainWindow::txtName_Change()
{
    // The field's text, not the signal's: an edit that the typing limit took back is still announced.
    m_cmdStartStop->setEnabled(!m_txtName->text().isEmpty());
}

void MainWindow::tmrOneSecond_Timer()
{
    RefreshTimes();
    showDate();
    // setInterval() restarts a running timer, so it is called only when the interval really changes.
    if (const int next = nextTickInterval(); next != m_tmrOneSecond->interval())
        m_tmrOneSecond->setInterval(next);
}

int MainWindow::nextTickInterval() const
{
    // While stopped a tick changes only the date label, so the timer sleeps until just after midnight
    // instead of waking the program six times a second. An hour at most, so that a change of the system
    // time or of daylight saving time shows within the hour; Start brings the short interval back at once.
    if (m_accrual.isRunning())
        return TickInterval;
    const double untilMidnight = 86400.0 - double(m_services.clock->secondsSinceMidnight());
    const double milliseconds = std::ceil(untilMidnight * 1000.0) + 20.0; // past the float's rounding
    return int(std::clamp(milliseconds, double(TickInterval), double(LongestStoppedInterval)));
}

void MainWindow::changeEvent(QEvent *event)
{
    // The timer does not count time while the computer sleeps: a window woken after midnight shows the
    // new date as soon as the user turns to it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showDate();
    QMainWindow::changeEvent(event);
}

void MainWindow::RefreshTimes()
{
    const int active = activeRow();
    const double now = m_services.clock->spanReading();
    if (!m_accrual.accrue(now, active, m_table))
        return;
    for (int row = 0; row < RowCount; ++row) {
        const QString daily = timeText(m_table.dailyTime(row));
        if (row == active)
            setWindowTitle(QLatin1String("Vorn (") + m_txtProjName[std::size_t(row)]->text() +
                           QLatin1String(", ") + daily + QLatin1Char(')'));
        setTextIfChanged(m_txtTime[std::size_t(row)], daily);
        setTextIfChanged(m_txtTotalTime[std::size_t(row)], timeText(m_table.totalTime(row)));
    }
    m_lblTotalTime->setText(timeText(m_table.dailySum()));
    if (now - m_lastQuietSave >= QuietSaveInterval)
        saveQuietly(now);
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
    QRadioButton *option = m_optActive[std::size_t(row)];
    option->setFocus(Qt::ShortcutFocusReason);
    option->setChecked(true);
    optActive_Click(row);
}

int MainWindow::activeRow() const
{
    return m_activeGroup->checkedId();
}

QString MainWindow::timeText(double seconds)
{
    if (std::optional<QString> text = DissectTime(seconds))
        return *text;
    m_services.messageBoxes->showError(QStringLiteral("DissectTime() error"), dissectTimeError());
    return QString();
}

void MainWindow::showDate()
{
    const QString date = DateText(m_services.clock->today());
    if (m_lblDate->text() != date) // QLabel repaints on every setText
        m_lblDate->setText(date);
}

void MainWindow::setTextIfChanged(QLineEdit *field, const QString &text)
{
    // Rewriting a field with its own text would still reset a selection the user made in it.
    if (field->text() != text)
        field->setText(text);
}

ReportSnapshot MainWindow::reportSnapshot() const
{
    // Each time's text as its field shows it, with the whole seconds of the count it was drawn from.
    ReportSnapshot snapshot;
    snapshot.userName = m_txtName->text();
    for (std::size_t row = 0; row < RowCount; ++row) {
        snapshot.names[row] = m_txtProjName[row]->text();
        snapshot.daily[row] = {m_txtTime[row]->text(), roundHalfEven(m_table.dailyTime(int(row)))};
        snapshot.total[row] = {m_txtTotalTime[row]->text(), roundHalfEven(m_table.totalTime(int(row)))};
    }
    snapshot.dailySum = {m_lblTotalTime->text(), roundHalfEven(m_table.dailySum())};
    return snapshot;
}

void MainWindow::mnuText_Click()
{
    showReportOutcome(GenerateTextReport(reportSnapshot(), m_services.clock->today(), m_reportFolder));
}

void MainWindow::mnuCSV_Click()
{
    showReportOutcome(GenerateCsvReport(reportSnapshot(), m_services.clock->today(), m_reportFolder));
}

void MainWindow::mnuExcel_Click()
{
    showReportOutcome(GenerateSpreadsheetReport(reportSnapshot(), m_services.clock->today(), m_reportFolder,
                                                *m_services.spreadsheetServer));
}

void MainWindow::mnuDailyTimes_Click()
{
    openAdjustDialog(false);
}

void MainWindow::mnuTotalTimes_Click()
{
    openAdjustDialog(true);
}

void MainWindow::openAdjustDialog(bool total)
{
    std::array<QString, RowCount> names;
    for (std::size_t row = 0; row < RowCount; ++row)
        names[row] = m_txtProjName[row]->text();
    OverrideDialog dialog(total, m_table, names, *m_services.messageBoxes, this);
    // Each applied row shows at once in its box; the daily sum label waits for the next accrual.
    connect(&dialog, &OverrideDialog::rowApplied, this, [this, total](int row) {
        const auto index = std::size_t(row);
        if (total)
            m_txtTotalTime[index]->setText(timeText(m_table.totalTime(row)));
        else
            m_txtTime[index]->setText(timeText(m_table.dailyTime(row)));
    });
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

void MainWindow::showReportOutcome(const ReportOutcome &outcome)
{
    const QString title = QStringLiteral("Generate report");
    switch (outcome.kind) {
    case ReportOutcome::Kind::MissingName:
        m_services.messageBoxes->show(MessageBoxStyle::Exclamation, title,
                                      QStringLiteral("Please enter your name"));
        break;
    case ReportOutcome::Kind::Written:
        m_services.messageBoxes->show(MessageBoxStyle::Exclamation, title,
                                      QLatin1String("Report generated to\r\n") + outcome.fileName);
        break;
    case ReportOutcome::Kind::Failed:
        m_services.messageBoxes->showError(QStringLiteral("Error generating report"), outcome.error);
        break;
    case ReportOutcome::Kind::FailedSilently:
        break;
    }
}
