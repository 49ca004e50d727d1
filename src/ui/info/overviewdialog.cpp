#include "overviewdialog.h"

#include "platform/messageboxes.h"
#include "platform/programenvironment.h"
#include "storage/helptextfile.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

OverviewDialog::OverviewDialog(ProgramEnvironment &environment, MessageBoxes &messageBoxes, QWidget *parent)
    : QDialog(parent), m_environment(environment), m_messageBoxes(messageBoxes)
{
    m_form.setupUi(this);
    m_form.OKButton->installEventFilter(this);
    connect(m_form.OKButton, &QPushButton::clicked, this, &OverviewDialog::OKButton_Click);
    Form_Load();
}

bool OverviewDialog::LoadHelpText()
{
    const HelpTextReading reading =
        HelpTextFile::read(m_environment.programFolder(), m_environment.installDataFolder());
    if (reading.error) {
        m_messageBoxes.showError(QStringLiteral("Error loading help file"), *reading.error);
        return false;
    }
    // setPlainText turns each CR LF into one line break, so the box shows the file's lines without the
    // blank lines that a CR taken as a break of its own would add.
    m_form.txtHelp->setPlainText(reading.text);
    return true;
}

void OverviewDialog::keyPressEvent(QKeyEvent *event)
{
    // QDialog closes on Esc; this window closes only by its OK button or its close box.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool OverviewDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Without a default button Enter presses OK only while OK itself has the focus, as with any plain
    // button; a non-auto-default QPushButton would let the key pass.
    if (watched == m_form.OKButton && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            m_form.OKButton->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OverviewDialog::Form_Load()
{
    // A failure has already been shown to the user; the window opens with an empty box.
    (void)LoadHelpText();
}

void OverviewDialog::OKButton_Click()
{
    accept();
}
