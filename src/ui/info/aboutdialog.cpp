#include "aboutdialog.h"

#include "platform/messageboxes.h"
#include "platform/openwebaddress.h"
#include "platform/programenvironment.h"
#include "ui/twips.h"
#include "weblinklabel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

AboutDialog::AboutDialog(ProgramEnvironment &environment, WebAddressOpener &webOpener,
                         MessageBoxes &messageBoxes, QWidget *parent)
    : QDialog(parent), m_environment(environment), m_webOpener(webOpener), m_messageBoxes(messageBoxes)
{
    m_form.setupUi(this);
    connect(m_form.cmdOK, &QPushButton::clicked, this, &AboutDialog::cmdOK_Click);
    connect(m_form.lblWebsite, &WebLinkLabel::clicked, this, &AboutDialog::lblWebsite_Click);
    Form_Load();
}

void AboutDialog::keyPressEvent(QKeyEvent *event)
{
    // OK is also the cancel button: Esc presses it rather than taking QDialog's separate reject path.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        m_form.cmdOK->click();
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

void AboutDialog::Form_Load()
{
    const VersionNumber version = m_environment.version();
    m_form.lblVersion->setText(QStringLiteral("Version %1.%2.%3")
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
