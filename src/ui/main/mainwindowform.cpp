#include "mainwindowform.h"

#include "cachedpanelstyle.h"
#include "ui/twips.h"
#include "ui/typinglimit.h"

#include <QAction>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int UserNameLimit = 64;
constexpr int ProjectNameLimit = 32;

// Row tops inside the time frame: 600 twips for row 0, then 360 twips a row.
constexpr int rowTop(int row)
{
    return 600 + 360 * row;
}

QLabel *createLabel(QWidget *parent, const QString &objectName, const QString &text, Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

QMenu *createMenu(QWidget *owner, const QString &objectName, const QString &title)
{
    auto *menu = new QMenu(title, owner);
    menu->setObjectName(objectName);
    menu->menuAction()->setObjectName(objectName + QLatin1String("Action"));
    return menu;
}

QAction *addCommand(QMenu *menu, const QString &objectName, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(objectName);
    return action;
}

} // namespace

void MainWindowForm::setupUi(QMainWindow *window)
{
    window->setObjectName(QStringLiteral("frmMain"));
    window->setWindowTitle(QStringLiteral("Morvane Tallywick (stopped)"));
    // A fixed single border: close box and minimize button, no maximize button.
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);

    m_timeStyle = new CachedPanelStyle;
    auto *client = new QWidget(window);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(Twips(4815), Twips(5535));
    window->setCentralWidget(client);
    createControls(client);
    createMenus(window);
    setTabOrder();
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    // The window's last child, so that the controls drawn with it go first when the window is deleted.
    m_timeStyle->setParent(window);
}

void MainWindowForm::createControls(QWidget *client)
{
    auto *lblName = createLabel(client, QStringLiteral("lblStatic3"), QStringLiteral("Name:"), Qt::AlignLeft);
    placeInTwips(lblName, 120, 240, 615, 255);

    txtName = new QLineEdit(QStringLiteral("User's name"), client);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setAccessibleName(QStringLiteral("User's name"));
    new TypingLimit(UserNameLimit, txtName);
    placeInTwips(txtName, 840, 240, 1695, 285);
    lblName->setBuddy(txtName);

    lblDate = createLabel(client, QStringLiteral("lblDate"), QStringLiteral("00-00-0000"), Qt::AlignRight);
    placeInTwips(lblDate, 2640, 120, 2055, 255);

    createTimeFrame(client);

    lblTotalTime =
        createLabel(client, QStringLiteral("lblTotalTime"), QStringLiteral(" 0:00:00"), Qt::AlignHCenter);
    lblTotalTime->setAccessibleName(QStringLiteral("Daily time of all projects"));
    QFont sumFont(QStringLiteral("Arial"));
    sumFont.setPointSize(18);
    sumFont.setBold(true);
    lblTotalTime->setFont(sumFont);
    // It stands on the window's plain background: filling its own with the same colour spares the window
    // a redraw beneath it at each second.
    lblTotalTime->setAutoFillBackground(true);
    placeInTwips(lblTotalTime, 1380, 5040, 2055, 375);

    lblVersion = createLabel(client, QStringLiteral("lblVersion"), QStringLiteral("v0.0.0"), Qt::AlignRight);
    placeInTwips(lblVersion, 3720, 5160, 975, 255);
}

void MainWindowForm::createTimeFrame(QWidget *client)
{
    frameTimes = new QGroupBox(client);
    frameTimes->setObjectName(QStringLiteral("frameTimes"));
    frameTimes->setStyle(m_timeStyle);
    placeInTwips(frameTimes, 120, 720, 4575, 4215);

    placeInTwips(
        createLabel(frameTimes, QStringLiteral("lblStatic0"), QStringLiteral("Project"), Qt::AlignLeft), 120,
        240, 975, 255);
    placeInTwips(
        createLabel(frameTimes, QStringLiteral("lblStatic1"), QStringLiteral("Active"), Qt::AlignLeft), 2160,
        240, 495, 255);
    placeInTwips(
        createLabel(frameTimes, QStringLiteral("lblStatic2"), QStringLiteral("Daily time"), Qt::AlignRight),
        2640, 240, 855, 255);
    placeInTwips(
        createLabel(frameTimes, QStringLiteral("lblStatic5"), QStringLiteral("Total time"), Qt::AlignRight),
        3600, 240, 855, 255);

    auto *line = new QFrame(frameTimes);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    line->setGeometry(Twips(120), Twips(480), Twips(4440 - 120) + 1, 1);

    activeGroup = new QButtonGroup(frameTimes);
    activeGroup->setExclusive(true);
    for (int row = 0; row < RowCount; ++row)
        createRow(row);
    optActive[0]->setChecked(true);

    cmdStartStop = new QPushButton(QStringLiteral("Start"), frameTimes);
    cmdStartStop->setObjectName(QStringLiteral("cmdStartStop"));
    cmdStartStop->setAccessibleName(QStringLiteral("Start timing"));
    cmdStartStop->setAutoDefault(false);
    placeInTwips(cmdStartStop, 120, 3720, 855, 375);
}

void MainWindowForm::createRow(int row)
{
    const auto index = std::size_t(row);
    const QString number = QString::number(row + 1);
    const int top = rowTop(row);

    auto *name = new QLineEdit(row == 0 ? defaultProjectName(0) : QString(), frameTimes);
    name->setObjectName(QStringLiteral("txtProjName%1").arg(row));
    name->setAccessibleName(QStringLiteral("Project %1 name").arg(number));
    new TypingLimit(ProjectNameLimit, name);
    placeInTwips(name, 120, top, 1815, 285);
    txtProjName[index] = name;

    auto *option = new QRadioButton(frameTimes);
    option->setObjectName(QStringLiteral("optActive%1").arg(row));
    option->setAccessibleName(QStringLiteral("Project %1 active").arg(number));
    option->setFocusPolicy(Qt::ClickFocus);
    placeInTwips(option, 2280, top, 255, 255);
    activeGroup->addButton(option, row);
    optActive[index] = option;

    const auto createTimeBox = [this, top](const QString &objectName, const QString &accessibleName,
                                           int left) {
        auto *box = new QLineEdit(QStringLiteral("0:00:00"), frameTimes);
        box->setObjectName(objectName);
        box->setAccessibleName(accessibleName);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setReadOnly(true); // locked: its text can still be selected and copied
        box->setFocusPolicy(Qt::ClickFocus);
        m_timeStyle->takeBox(box);
        placeInTwips(box, left, top, 855, 285);
        return box;
    };
    txtTime[index] = createTimeBox(QStringLiteral("txtTime%1").arg(row),
                                   QStringLiteral("Project %1 daily time").arg(number), 2640);
    txtTotalTime[index] = createTimeBox(QStringLiteral("txtTotalTime%1").arg(row),
                                        QStringLiteral("Project %1 total time").arg(number), 3600);
}

void MainWindowForm::createMenus(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();

    QMenu *mnuFile = createMenu(window, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    bar->addMenu(mnuFile);
    mnuGenerateReport =
        createMenu(window, QStringLiteral("mnuGenerateReport"), QStringLiteral("Generate report"));
    mnuFile->addMenu(mnuGenerateReport);
    mnuExcel = addCommand(mnuGenerateReport, QStringLiteral("mnuExcel"), QStringLiteral("&Excel file"));
    mnuText = addCommand(mnuGenerateReport, QStringLiteral("mnuText"), QStringLiteral("&Text file"));
    mnuCSV = addCommand(mnuGenerateReport, QStringLiteral("mnuCSV"), QStringLiteral("&CSV file"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
    mnuExit = addCommand(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));

    mnuAdjust = createMenu(window, QStringLiteral("mnuAdjust"), QStringLiteral("&Adjust"));
    bar->addMenu(mnuAdjust);
    mnuDailyTimes = addCommand(mnuAdjust, QStringLiteral("mnuDailyTimes"), QStringLiteral("&Daily times"));
    mnuTotalTimes = addCommand(mnuAdjust, QStringLiteral("mnuTotalTimes"), QStringLiteral("&Total times"));

    QMenu *mnuHelp = createMenu(window, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    bar->addMenu(mnuHelp);
    mnuOverview = addCommand(mnuHelp, QStringLiteral("mnuOverview"), QStringLiteral("&Overview"));
    mnuAbout = addCommand(mnuHelp, QStringLiteral("mnuAbout"), QStringLiteral("&About"));
}

void MainWindowForm::setTabOrder()
{
    // The user's name, the eight project names, Start/Stop; option buttons and time boxes take the focus
    // only by a click (or Ctrl with a digit), so Tab passes them by.
    QWidget *previous = txtName;
    for (QLineEdit *name : txtProjName) {
        QWidget::setTabOrder(previous, name);
        previous = name;
    }
    QWidget::setTabOrder(previous, cmdStartStop);
}
