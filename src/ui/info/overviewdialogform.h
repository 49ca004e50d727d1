#pragma once

class QDialog;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

// The Help overview window's controls as laid out, built the way a designer-generated form class would
// build them. OverviewDialog gives them their behaviour.
class OverviewDialogForm
{
public:
    // Creates every control inside the dialog; the dialog owns them.
    void setupUi(QDialog *dialog);

    QPushButton *OKButton = nullptr;
    QGroupBox *Frame1 = nullptr;
    QPlainTextEdit *txtHelp = nullptr;
};
