#include "aboutdialogform.h"

#include "fixeddialogframe.h"
#include "makercontact.h"
#include "ui/twips.h"
#include "weblinklabel.h"

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

// Labels keep their text at the top, as the layout's heights assume.
constexpr Qt::Alignment labelAlignment = Qt::AlignLeft | Qt::AlignTop;

QLabel *addLabel(QDialog *dialog, const QString &name, const QRect &geometry, const QString &text)
{
    auto *label = new QLabel(text, dialog);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(labelAlignment);
    return label;
}

} // namespace

void AboutDialogForm::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmAbout"));
    dialog->setWindowTitle(QStringLiteral("About Tallywick"));
    setUpFixedDialogFrame(*dialog, Twips(4935), Twips(4455));

    cmdOK = new QPushButton(QStringLiteral("OK"), dialog);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setAccessibleName(QStringLiteral("OK"));
    cmdOK->setGeometry(twipsRect(3600, 3960, 1140, 345));
    cmdOK->setDefault(true);

    lblTitle = addLabel(dialog, QStringLiteral("lblTitle"), twipsRect(525, 240, 3885, 480),
                        QStringLiteral("Morvane Tallywick"));
    lblTitle->setFont(QFont(QStringLiteral("Arial"), 18));
    QPalette titlePalette = lblTitle->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::black);
    lblTitle->setPalette(titlePalette);

    lblVersion = addLabel(dialog, QStringLiteral("lblVersion"), twipsRect(555, 720, 3855, 255),
                          QStringLiteral("v0.0.0"));

    Picture1 = addLabel(dialog, QStringLiteral("Picture1"), twipsRect(855, 1080, 3015, 1695), QString());
    Picture1->setAlignment(Qt::AlignCenter);
    // QIcon takes about@2x.png beside about.png for a screen at scale 2, so the picture stays sharp there.
    const QIcon picture(QStringLiteral(":/images/about.png"));
    Picture1->setPixmap(picture.pixmap(QSize(192, 106), dialog->devicePixelRatioF()));

    addLabel(dialog, QStringLiteral("lblStatic2"), twipsRect(915, 2880, 735, 255),
             QStringLiteral("Website:"));
    lblWebsite = new WebLinkLabel(MakerContact::website, dialog);
    lblWebsite->setObjectName(QStringLiteral("lblWebsite"));
    lblWebsite->setAccessibleName(QStringLiteral("Website ") + MakerContact::website);
    lblWebsite->setGeometry(twipsRect(1680, 2880, 1815, 255));
    lblWebsite->setAlignment(labelAlignment);

    addLabel(dialog, QStringLiteral("lblStatic4"), twipsRect(915, 3120, 735, 255), QStringLiteral("Phone:"));
    addLabel(dialog, QStringLiteral("lblStatic6"), twipsRect(1680, 3120, 1935, 255), MakerContact::phone);
    addLabel(dialog, QStringLiteral("lblStatic3"), twipsRect(915, 3360, 735, 255), QStringLiteral("E-mail:"));
    addLabel(dialog, QStringLiteral("lblStatic7"), twipsRect(1680, 3360, 1935, 255), MakerContact::email);

    cmdOK->setFocus();
}
