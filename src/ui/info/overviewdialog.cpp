#include "overviewdialog.h"

#include "fixeddialogframe.h"
#include "platform/messageboxes.h"
#include "platform/programenvironment.h"
#include "storage/helptextfile.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

OverviewDialog::OverviewDialog(ProgramEnvironment &environment, MessageBoxes &messageBoxes, QWidget *parent)
    : QDialog(parent), m_environment(environment), m_messageBoxes(messageBoxes)
{
    setWindowTitle(QStringLiteral("Overview"));
    setUpFixedDialogFrame(*this, Twips(7695), Twips(5655));

    // Created first so that it comes first in the focus chain and holds the focus when the window opens.
    m_OKButton = new QPushButton(QStringLiteral("OK"), this);
    m_OKButton->setObjectName(QStringLiteral("OKButton"));
    m_OKButton->setAccessibleName(QStringLiteral("OK"));
    m_OKButton->setGeometry(twipsRect(6360, 5160, 1215, 375));
    // Neither default nor auto-default: Enter does not press it from elsewhere in the window.
    m_OKButton->setAutoDefault(false);
    m_OKButton->setDefault(false);
    m_OKButton->installEventFilter(this);
    connect(m_OKButton, &QPushButton::clicked, this, &OverviewDialog::OKButton_Click);

    m_Frame1 = new QGroupBox(this);
    m_Frame1->setObjectName(QStringLiteral("Frame1"));
    m_Frame1->setGeometry(twipsRect(120, 120, 7455, 4935));

    m_txtHelp = new QPlainTextEdit(m_Frame1);
    m_txtHelp->setObjectName(QStringLiteral("txtHelp"));
    m_txtHelp->setAccessibleName(QStringLiteral("Help text"));
    m_txtHelp->setGeometry(twipsRect(120, 240, 7215, 4575));
    m_txtHelp->setReadOnly(true);
    m_txtHelp->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_txtHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Not a tab stop, but a click still puts the focus there for selecting and scrolling with the keys;
    // Tab then leaves it again instead of being typed.
    m_txtHelp->setFocusPolicy(Qt::ClickFocus);
    m_txtHelp->setTabChangesFocus(true);

    m_OKButton->setFocus();
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
    m_helpText = reading.text;
    // setPlainText turns each CR LF into one line break, so the box shows the file's lines without the
    // blank lines that a CR taken as a break of its own would add.
    m_txtHelp->setPlainText(m_helpText);
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
    if (watched == m_OKButton && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            m_OKButton->click();
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
