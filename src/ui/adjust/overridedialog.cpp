#include "overridedialog.h"

#include "core/errorinfo.h"
#include "core/numbertext.h"
#include "core/timetext.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <optional>

namespace {

// A field's leading number as the 16-bit integer that OK uses, halves to the even neighbour; nothing
// when it does not fit.
std::optional<qint16> fieldNumber(const QLineEdit *field)
{
    const double value = roundHalfEven(LeadingNumber(field->text()));
    if (!(value >= -32768.0 && value <= 32767.0))
        return std::nullopt;
    return static_cast<qint16>(value);
}

QChar userDecimalPoint()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 ? point.at(0) : QLatin1Char('.');
}

} // namespace

OverrideDialog::OverrideDialog(bool total, SessionModel &model, MessageBoxes &messageBoxes, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_column(total ? SessionModel::TimeColumn::Total : SessionModel::TimeColumn::Daily), m_model(model),
      m_messageBoxes(messageBoxes)
{
    setWindowModality(Qt::ApplicationModal);
    m_form.setupUi(this);
    connect(m_form.OKButton, &QPushButton::clicked, this, &OverrideDialog::OKButton_Click);
    connect(m_form.CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    for (int row = 0; row < RowCount; ++row) {
        const auto index = std::size_t(row);
        connect(m_form.cmdReset[index], &QPushButton::clicked, this, [this, row] { cmdReset_Click(row); });
        for (QLineEdit *field : {m_form.txtHr[index], m_form.txtMin[index], m_form.txtSec[index]})
            field->installEventFilter(this);
    }
    Form_Load();
}

void OverrideDialog::Form_Load()
{
    setWindowTitle(m_column == SessionModel::TimeColumn::Total ? QStringLiteral("Adjust total times")
                                                               : QStringLiteral("Adjust daily times"));
    for (int row = 0; row < RowCount; ++row) {
        const auto index = std::size_t(row);
        const QString name = m_model.projectName(row);
        const std::initializer_list<QWidget *> controls{m_form.txtHr[index], m_form.txtMin[index],
                                                        m_form.txtSec[index], m_form.cmdReset[index]};
        if (name.isEmpty()) {
            for (QWidget *control : controls)
                control->setEnabled(false);
            m_form.lblProjectNames[index]->setEnabled(false);
            continue;
        }
        m_form.lblProjectNames[index]->setText(name);
        for (QWidget *control : controls)
            control->setAccessibleDescription(name);
        const TimeParts parts = SplitTime(m_model.count(m_column, row));
        m_form.txtHr[index]->setText(ShortestNumberText(parts.hours));
        m_form.txtMin[index]->setText(ShortestNumberText(parts.minutes));
        m_form.txtSec[index]->setText(ShortestNumberText(parts.seconds));
    }
}

void OverrideDialog::OKButton_Click()
{
    // Row by row, so that a failing row leaves the rows before it applied and the rest untouched.
    for (int row = 0; row < RowCount; ++row) {
        const auto index = std::size_t(row);
        if (!m_form.lblProjectNames[index]->isEnabled())
            continue;
        const std::optional<qint16> hours = fieldNumber(m_form.txtHr[index]);
        const std::optional<qint16> minutes = fieldNumber(m_form.txtMin[index]);
        const std::optional<qint16> seconds = fieldNumber(m_form.txtSec[index]);
        if (!hours || !minutes || !seconds) {
            // Only a loaded hour count beyond 16 bits gets here; typing is limited to two characters.
            m_messageBoxes.showError(QStringLiteral("Error adjusting times"),
                                     programError(ErrorNumber::Overflow, QStringLiteral("Overflow")));
            reject();
            return;
        }
        m_model.setAndShowCount(m_column, row, AssembleTime(*hours, *minutes, *seconds));
    }
    accept();
}

void OverrideDialog::cmdReset_Click(int index)
{
    const QString text = QStringLiteral("Reset '") + m_model.projectName(index) + QStringLiteral("' timer?");
    const int style = MessageBoxStyle::YesNo + MessageBoxStyle::Question + MessageBoxStyle::DefaultButton2;
    if (m_messageBoxes.show(style, QStringLiteral("Reset timer"), text) != MessageBoxAnswer::Yes)
        return;
    // The count changes now, not on OK, and Cancel does not undo it; the main window's box keeps the old
    // time until OK or its next redraw.
    m_model.setCount(m_column, index, 0.0);
    for (QLineEdit *field : {m_form.txtHr[std::size_t(index)], m_form.txtMin[std::size_t(index)],
                             m_form.txtSec[std::size_t(index)]})
        field->setText(QStringLiteral("0"));
}

void OverrideDialog::txtHr_Validate(int index)
{
    tidyField(m_form.txtHr[std::size_t(index)]);
}

void OverrideDialog::txtMin_Validate(int index)
{
    tidyField(m_form.txtMin[std::size_t(index)]);
}

void OverrideDialog::txtSec_Validate(int index)
{
    tidyField(m_form.txtSec[std::size_t(index)]);
}

void OverrideDialog::tidyField(QLineEdit *field)
{
    // Nothing is refused and no range is tested: OK adds up whatever the fields hold.
    field->setText(ShortestNumberText(LeadingNumber(field->text()), userDecimalPoint()));
}

bool OverrideDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut)
        fieldLosingFocus(watched);
    return QDialog::eventFilter(watched, event);
}

void OverrideDialog::fieldLosingFocus(QObject *field)
{
    // Qt has already handed the focus on when the field hears of it. A field is tidied only when the focus
    // goes to another control of this dialog: not when another window or program is activated, and not
    // for the field's own context menu. A mouse press moves the focus before a button's click is handled,
    // so OK reads the tidied text.
    const QWidget *next = QApplication::focusWidget();
    if (!next || next == field || next->window() != this)
        return;
    for (int row = 0; row < RowCount; ++row) {
        const auto index = std::size_t(row);
        if (field == m_form.txtHr[index])
            txtHr_Validate(row);
        else if (field == m_form.txtMin[index])
            txtMin_Validate(row);
        else if (field == m_form.txtSec[index])
            txtSec_Validate(row);
    }
}

void OverrideDialog::keyPressEvent(QKeyEvent *event)
{
    // The dialog has neither a default nor a cancel button: Esc presses nothing, and Enter presses only a
    // button that has the focus (the buttons are not auto-default, so they leave Enter to the dialog).
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
