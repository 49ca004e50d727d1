#include "overviewdialogform.h"

#include "fixeddialogframe.h"
#include "ui/twips.h"

#include <QDialog>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

void OverviewDialogForm::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmOverview"));
    dialog->setWindowTitle(QStringLiteral("Overview"));
    setUpFixedDialogFrame(*dialog, Twips(7695), Twips(5655));

    // Created first so that it comes first in the focus chain and holds the focus when the window opens.
    OKButton = new QPushButton(QStringLiteral("OK"), dialog);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setAccessibleName(QStringLiteral("OK"));
    OKButton->setGeometry(twipsRect(6360, 5160, 1215, 375));
    // Neither default nor auto-default: Enter does not press it from elsewhere in the window.
    OKButton->setAutoDefault(false);
    OKButton->setDefault(false);

    Frame1 = new QGroupBox(dialog);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(120, 120, 7455, 4935));

    txtHelp = new QPlainTextEdit(Frame1);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setAccessibleName(QStringLiteral("Help text"));
    txtHelp->setGeometry(twipsRect(120, 240, 7215, 4575));
    txtHelp->setReadOnly(true);
    txtHelp->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Not a tab stop, but a click still puts the focus there for selecting and scrolling with the keys;
    // Tab then leaves it again instead of being typed.
    txtHelp->setFocusPolicy(Qt::ClickFocus);
    txtHelp->setTabChangesFocus(true);

    OKButton->setFocus();
}
