#pragma once

#include "core/sessionmodel.h"
#include "ui/adjust/overridedialogform.h"

#include <QDialog>

class MessageBoxes;
class QLineEdit;

// frmOverride, the Adjust dialog: the user corrects the daily or the total times of the rows by hand, as
// hours, minutes and seconds. It reads the session's counts when it is created and writes every named row
// back on OK, each row shown in its main-window box before the next is read. It keeps no copy of the
// times: between opening and OK the only working state is the text of its fields. A confirmed Reset is the
// exception: it zeroes the count at once.
class OverrideDialog : public QDialog
{
    Q_OBJECT

public:
    // total: edit the total times rather than the daily times. A row with an empty name takes no part.
    OverrideDialog(bool total, SessionModel &model, MessageBoxes &messageBoxes, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void OKButton_Click();
    void cmdReset_Click(int index);
    void txtHr_Validate(int index);
    void txtMin_Validate(int index);
    void txtSec_Validate(int index);

    void fieldLosingFocus(QObject *field);
    void tidyField(QLineEdit *field);

    SessionModel::TimeColumn m_column;
    SessionModel &m_model;
    MessageBoxes &m_messageBoxes;
    OverrideDialogForm m_form;
};
