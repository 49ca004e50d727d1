#pragma once

#include <QDialog>

class MessageBoxes;
class ProgramEnvironment;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

// The Help overview window, frmOverview: shows readme.txt from the program's folder in a read-only
// scrolling box. Each instance reads the file when it is created, so the owner makes a new one for each
// opening and edits to the file show without a restart. OK closes it; Esc deliberately does not.
class OverviewDialog : public QDialog
{
    Q_OBJECT

public:
    OverviewDialog(ProgramEnvironment &environment, MessageBoxes &messageBoxes, QWidget *parent = nullptr);

    // Reads readme.txt into txtHelp, replacing what it held. On failure it shows the error box, leaves
    // txtHelp as it was and returns false.
    bool LoadHelpText();

    // The text as read from the file, CR LF line ends included. The box shows each CR LF as a line break.
    QString helpText() const { return m_helpText; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void OKButton_Click();

    ProgramEnvironment &m_environment;
    MessageBoxes &m_messageBoxes;
    QString m_helpText;
    QPushButton *m_OKButton = nullptr;
    QGroupBox *m_Frame1 = nullptr;
    QPlainTextEdit *m_txtHelp = nullptr;
};
