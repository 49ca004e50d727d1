#pragma once

#include <QDialog>

class MessageBoxes;
class ProgramEnvironment;
class QLabel;
class QPushButton;
class WebLinkLabel;
class WebAddressOpener;

// The maker's contact details that the About window shows. They are reserved example values, so that
// neither the link nor the numbers can ever reach a real person.
namespace MakerContact {
inline const QString website = QStringLiteral("www.example.com");
inline const QString phone = QStringLiteral("+1 202 555 0147");
inline const QString email = QStringLiteral("help@example.com");
} // namespace MakerContact

// The About window, frmAbout: title, version, picture and the maker's contact details, with the website
// line as a link to the maker's website. OK, Enter and Esc all close it.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(ProgramEnvironment &environment, WebAddressOpener &webOpener, MessageBoxes &messageBoxes,
                QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void addStaticLabel(int index, const QRect &geometry, const QString &text);
    void Form_Load();
    void cmdOK_Click();
    void lblWebsite_Click();

    ProgramEnvironment &m_environment;
    WebAddressOpener &m_webOpener;
    MessageBoxes &m_messageBoxes;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblVersion = nullptr;
    QLabel *m_Picture1 = nullptr;
    WebLinkLabel *m_lblWebsite = nullptr;
    QPushButton *m_cmdOK = nullptr;
};
