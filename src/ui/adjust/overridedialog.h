#pragma once

#include "core/projecttable.h"

#include <array>
#include <QDialog>
#include <QString>

class MessageBoxes;
class QEvent;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRect;

// frmOverride, the Adjust dialog: the user corrects the daily or the total times of the eight rows by hand,
// as hours, minutes and seconds. It reads the table when it is created and writes every named row back on
// OK, telling the main window through rowApplied so that the row's time box is redrawn before the next row
// is read. It keeps no copy of the times: between opening and OK the only working state is the text of its
// 24 fields. A confirmed Reset is the exception: it zeroes the table entry at once.
class OverrideDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int RowCount = ProjectTable::RowCount;

    // total: edit TotalTimes rather than DailyTimes. projectNames: the main window's project name fields;
    // a row with an empty name takes no part.
    OverrideDialog(bool total, ProjectTable &table, const std::array<QString, RowCount> &projectNames,
                   MessageBoxes &messageBoxes, QWidget *parent = nullptr);

    bool total() const { return m_total; }

Q_SIGNALS:
    // OK has stored the row's new count in the table.
    void rowApplied(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void createRow(int row);
    void arrangeTabOrder();
    QLabel *addLabel(const QString &name, const QRect &twips, const QString &text, Qt::Alignment alignment);

    void Form_Load(const std::array<QString, RowCount> &projectNames);
    void OKButton_Click();
    void CancelButton_Click();
    void cmdReset_Click(int index);
    void txtHr_Validate(int index);
    void txtMin_Validate(int index);
    void txtSec_Validate(int index);

    void fieldLosingFocus(QObject *field);
    void tidyField(QLineEdit *field);

    bool m_total;
    ProjectTable &m_table;
    MessageBoxes &m_messageBoxes;

    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QFrame *m_line1 = nullptr;
    std::array<QLabel *, 20> m_lblStatic{};
    std::array<QLabel *, RowCount> m_lblProjectNames{};
    std::array<QLineEdit *, RowCount> m_txtHr{};
    std::array<QLineEdit *, RowCount> m_txtMin{};
    std::array<QLineEdit *, RowCount> m_txtSec{};
    std::array<QPushButton *, RowCount> m_cmdReset{};
};
