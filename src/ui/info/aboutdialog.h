#pragma once

#include "ui/info/aboutdialogform.h"
#include "ui/info/makercontact.h"

#include <QDialog>

class MessageBoxes;
class ProgramEnvironment;
class WebAddressOpener;

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
    void Form_Load();
    void cmdOK_Click();
    void lblWebsite_Click();

    ProgramEnvironment &m_environment;
    WebAddressOpener &m_webOpener;
    MessageBoxes &m_messageBoxes;
    AboutDialogForm m_form;
};
