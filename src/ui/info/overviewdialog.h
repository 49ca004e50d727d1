#pragma once

#include "ui/info/overviewdialogform.h"

#include <QDialog>

class MessageBoxes;
class ProgramEnvironment;

// The Help overview window, frmOverview: shows readme.txt from the program's folder in a read-only
// scrolling box. Each instance reads the file when it is created, so the owner makes a new one for each
// opening and edits to the file show without a restart. OK closes it; Esc deliberately does not.
class OverviewDialog : public QDialog
{
    Q_OBJECT

public:
    OverviewDialog(ProgramEnvironment &environment, MessageBoxes &messageBoxes, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    // Reads readme.txt into txtHelp, replacing what it held. On failure it shows the error box, leaves
    // txtHelp as it was and returns false.
    bool LoadHelpText();
    void OKButton_Click();

    ProgramEnvironment &m_environment;
    MessageBoxes &m_messageBoxes;
    OverviewDialogForm m_form;
};
