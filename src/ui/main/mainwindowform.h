#pragma once

#include "core/projectrows.h"

#include <array>

class CachedPanelStyle;
class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QRadioButton;
class QWidget;

// The main window's controls as laid out, built in code the way a designer-generated form class would
// build them: positions and sizes in twips, fonts, initial texts, tab order, menus. MainWindow gives them
// their behaviour and the colours of the timing state.
class MainWindowForm
{
public:
    // Creates every control inside the window; the window owns them.
    void setupUi(QMainWindow *window);

    QLineEdit *txtName = nullptr;
    QLabel *lblDate = nullptr;
    QLabel *lblTotalTime = nullptr;
    QLabel *lblVersion = nullptr;
    QGroupBox *frameTimes = nullptr;
    QPushButton *cmdStartStop = nullptr;
    std::array<QLineEdit *, RowCount> txtProjName{};
    std::array<QRadioButton *, RowCount> optActive{};
    std::array<QLineEdit *, RowCount> txtTime{};
    std::array<QLineEdit *, RowCount> txtTotalTime{};
    // The option buttons, one exclusive group; a button's id is its row.
    QButtonGroup *activeGroup = nullptr;

    QMenu *mnuGenerateReport = nullptr;
    QAction *mnuExcel = nullptr;
    QAction *mnuText = nullptr;
    QAction *mnuCSV = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuAdjust = nullptr;
    QAction *mnuDailyTimes = nullptr;
    QAction *mnuTotalTimes = nullptr;
    QAction *mnuOverview = nullptr;
    QAction *mnuAbout = nullptr;

private:
    // Draws the time boxes and their frame, which are redrawn every second while timing runs.
    CachedPanelStyle *m_timeStyle = nullptr;

    void createControls(QWidget *client);
    void createTimeFrame(QWidget *client);
    void createRow(int row);
    void createMenus(QMainWindow *window);
    void setTabOrder();
};
