#include "aboutdialog.h"

#include "fixeddialogframe.h"
#include "platform/messageboxes.h"
#include "platform/openwebaddress.h"
#include "platform/programenvironment.h"
#include "ui/twips.h"
#include "weblinklabel.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// Labels keep their text at the top, as the layout's heights assume.
constexpr Qt::Alignment labelAlignment = Qt::AlignLeft | Qt::AlignTop;

} // namespace

AboutDialog::AboutDialog(ProgramEnvironment &environment, WebAddressOpener &webOpener,
                         MessageBoxes &messageBoxes, QWidget *parent)
    : QDialog(parent), m_environment(environment), m_webOpener(webOpener), m_messageBoxes(messageBoxes)
{
    setWindowTitle(QStringLiteral("About Tallywick"));
    setUpFixedDialogFrame(*this, Twips(4935), Twips(4455));

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setAccessibleName(QStringLiteral("OK"));
    m_cmdOK->setGeometry(twipsRect(3600, 3960, 1140, 345));
    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, &AboutDialog::cmdOK_Click);

    m_lblTitle = new QLabel(QStringLiteral("Morvane Tallywick"), this);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    m_lblTitle->setGeometry(twipsRect(525, 240, 3885, 480));
    m_lblTitle->setAlignment(labelAlignment);
    m_lblTitle->setFont(QFont(QStringLiteral("Arial"), 18));
    QPalette titlePalette = m_lblTitle->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::black);
    m_lblTitle->setPalette(titlePalette);

    m_lblVersion = new QLabel(QStringLiteral("v0.0.0"), this);
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    m_lblVersion->setGeometry(twipsRect(555, 720, 3855, 255));
    m_lblVersion->setAlignment(labelAlignment);

    m_Picture1 = new QLabel(this);
    m_Picture1->setObjectName(QStringLiteral("Picture1"));
    m_Picture1->setGeometry(twipsRect(855, 1080, 3015, 1695));
    m_Picture1->setAlignment(Qt::AlignCenter);
    // QIcon takes about@2x.png beside about.png for a screen at scale 2, so the picture stays sharp there.
    const QIcon picture(QStringLiteral(":/images/about.png"));
    m_Picture1->setPixmap(picture.pixmap(QSize(192, 106), devicePixelRatioF()));

    addStaticLabel(2, twipsRect(915, 2880, 735, 255), QStringLiteral("Website:"));
    m_lblWebsite = new WebLinkLabel(MakerContact::website, this);
    m_lblWebsite->setObjectName(QStringLiteral("lblWebsite"));
    m_lblWebsite->setAccessibleName(QStringLiteral("Website ") + MakerContact::website);
    m_lblWebsite->setGeometry(twipsRect(1680, 2880, 1815, 255));
    m_lblWebsite->setAlignment(labelAlignment);
    connect(m_lblWebsite, &WebLinkLabel::clicked, this, &AboutDialog::lblWebsite_Click);

    addStaticLabel(4, twipsRect(915, 3120, 735, 255), QStringLiteral("Phone:"));
    addStaticLabel(6, twipsRect(1680, 3120, 1935, 255), MakerContact::phone);
    addStaticLabel(3, twipsRect(915, 3360, 735, 255), QStringLiteral("E-mail:"));
    addStaticLabel(7, twipsRect(1680, 3360, 1935, 255), MakerContact::email);

    m_cmdOK->setFocus();
    Form_Load();
}

void AboutDialog::keyPressEvent(QKeyEvent *event)
{
    // OK is also the cancel button: Esc presses it rather than taking QDialog's separate reject path.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        m_cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void AboutDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);

    // An etched rule above the OK button: a grey line with a white one under it, from beyond the left
    // edge, so that no end shows there.
    QPainter painter(this);
    const int right = Twips(4814);
    painter.fillRect(QRect(QPoint(Twips(-750), Twips(3765)), QPoint(right, Twips(3765))),
                     QColor(128, 128, 128));
    painter.fillRect(QRect(QPoint(Twips(-735), Twips(3780)), QPoint(right, Twips(3780) + 1)),
                     QColor(255, 255, 255));
}

void AboutDialog::addStaticLabel(int index, const QRect &geometry, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("lblStatic%1").arg(index));
    label->setGeometry(geometry);
    label->setAlignment(labelAlignment);
}

void AboutDialog::Form_Load()
{
    const VersionNumber version = m_environment.version();
    m_lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                              .arg(QString::number(version.major), QString::number(version.minor),
                                   QString::number(version.revision)));
}

void AboutDialog::cmdOK_Click()
{
    accept();
}

void AboutDialog::lblWebsite_Click()
{
    // The address comes from the program, not from the label's text. A refusal by the desktop (no browser
    // set up, say) is left without a message; only a failure to ask at all is reported.
    const OpenOutcome outcome = OpenWebAddress(MakerContact::website, m_webOpener);
    if (outcome.error)
        m_messageBoxes.showError(QStringLiteral("Error opening browser"), *outcome.error);
}
