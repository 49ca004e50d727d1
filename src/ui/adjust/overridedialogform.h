#pragma once

#include "core/projectrows.h"

#include <array>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

// The Adjust dialog's controls as laid out, built the way a designer-generated form class would build
// them: positions and sizes in twips, texts, typing limits and the tab order. OverrideDialog gives them
// their behaviour.
class OverrideDialogForm
{
public:
    // Creates every control inside the dialog; the dialog owns them.
    void setupUi(QDialog *dialog);

    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;
    std::array<QLabel *, RowCount> lblProjectNames{};
    std::array<QLineEdit *, RowCount> txtHr{};
    std::array<QLineEdit *, RowCount> txtMin{};
    std::array<QLineEdit *, RowCount> txtSec{};
    std::array<QPushButton *, RowCount> cmdReset{};

private:
    void createRow(QDialog *dialog, int row);
    void arrangeTabOrder();
};
