#pragma once

class QDialog;
class QLabel;
class QPushButton;
class WebLinkLabel;

// The About window's controls as laid out, built the way a designer-generated form class would build
// them. AboutDialog gives them their behaviour.
class AboutDialogForm
{
public:
    // Creates every control inside the dialog; the dialog owns them.
    void setupUi(QDialog *dialog);

    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *Picture1 = nullptr;
    WebLinkLabel *lblWebsite = nullptr;
    QPushButton *cmdOK = nullptr;
};
