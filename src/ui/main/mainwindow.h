#pragma once

// The main window, frmMain: the project table, the timing controls and the menus.
//
// How data flows:
//   Clock --(tmrOneSecond, every 166 ms while running)--> AccrualEngine --(whole spans of a second or
//   more)--> ProjectTable (DailyTimes, TotalTimes) --(RefreshTimes: DissectTime)--> txtTime, txtTotalTime,
//   lblTotalTime, caption --(texts as shown)--> reports.
//   projlist.dat --(load)--> txtName, txtProjName, TotalTimes --(save at exit)--> projlist.dat.

#include "core/accrualengine.h"
#include "core/projecttable.h"
#include "platform/platformservices.h"
#include "platform/programenvironment.h"
#include "reports/reportoutcome.h"
#include "reports/reportsnapshot.h"
#include "storage/projectlistfile.h"

#include <QMainWindow>

#include <array>

class QAction;
class QButtonGroup;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int RowCount = ProjectTable::RowCount;

    explicit MainWindow(const PlatformServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Where the window keeps its project list.
    static QString projectListPath(const ProgramEnvironment &environment);

    // Form_Load: fills the window from the clock, the project list and the version. Returns false after a
    // failure that it has reported; the program must then end.
    bool Form_Load();

    // Saves the project list without asking anything, for an end that nobody can answer a question at
    // (a termination signal, the end of the desktop session), and lets the window close.
    void endWithoutQuestion();

    // Saves the project list without asking, and lets the window close without the exit question: the
    // desktop session is ending.
    void saveForSessionEnd();

    const ProjectTable &table() const { return m_table; }
    bool isRunning() const { return m_accrual.isRunning(); }
    QString reportFolder() const { return m_reportFolder; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls(QWidget *client);
    void createTimeFrame(QWidget *client);
    void createMenus();
    void setTabOrder();
    void watchKeys(QWidget *control);

    void cmdStartStop_Click();
    void optActive_Click(int row);
    void txtName_Change();
    void tmrOneSecond_Timer();
    int nextTickInterval() const;
    void Form_KeyUp(const QKeyEvent *event);
    // The row that Ctrl with 1 to 8 chooses, or -1 for any other key.
    static int shortcutRow(const QKeyEvent *event);
    void RefreshTimes();

    void LoadProjectList();
    bool SaveProjectList();
    ProjectList projectList() const;
    void saveQuietly(double now);

    void mnuText_Click();
    void mnuCSV_Click();
    void mnuExcel_Click();
    void mnuDailyTimes_Click();
    void mnuTotalTimes_Click();
    void openAdjustDialog(bool total);
    void mnuOverview_Click();
    void mnuAbout_Click();
    // What the window shows, for the reports.
    ReportSnapshot reportSnapshot() const;
    void showReportOutcome(const ReportOutcome &outcome);

    int activeRow() const;
    QString timeText(double seconds);
    void showDate();
    static void setTextIfChanged(QLineEdit *field, const QString &text);

    PlatformServices m_services;
    ProjectTable m_table;
    AccrualEngine m_accrual;
    QString m_reportFolder;
    ProjectListFile m_projectListFile;
    double m_lastQuietSave = 0.0; // span reading of the last save while running
    bool m_endingWithoutQuestion = false;

    QLineEdit *m_txtName = nullptr;
    QLabel *m_lblDate = nullptr;
    QLabel *m_lblTotalTime = nullptr;
    QLabel *m_lblVersion = nullptr;
    QGroupBox *m_frameTimes = nullptr;
    QPushButton *m_cmdStartStop = nullptr;
    std::array<QLineEdit *, RowCount> m_txtProjName{};
    std::array<QRadioButton *, RowCount> m_optActive{};
    std::array<QLineEdit *, RowCount> m_txtTime{};
    std::array<QLineEdit *, RowCount> m_txtTotalTime{};
    QButtonGroup *m_activeGroup = nullptr;
    QTimer *m_tmrOneSecond = nullptr;

    // The digit of a Ctrl shortcut, from its press to its release.
    struct PendingShortcut
    {
        int key = 0;
        quint32 scanCode = 0;
        int row = -1;
    };
    PendingShortcut m_pendingShortcut;

    QMenu *m_mnuGenerateReport = nullptr;
    QMenu *m_mnuAdjust = nullptr;
};
