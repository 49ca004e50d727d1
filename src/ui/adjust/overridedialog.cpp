#include "overridedialog.h"

#include "core/errorinfo.h"
#include "core/numbertext.h"
#include "core/timetext.h"
#include "platform/messageboxes.h"
#include "ui/twips.h"
#include "ui/typinglimit.h"

#include <cmath>
#include <optional>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRect>

namespace {

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

int rowTop(int row)
{
    return 600 + 360 * row;
}

// The hours, minutes and seconds that a row's fields show for a count, rounded half to even first.
// A negative count splits like its magnitude, with the minus sign on every nonzero part (-3725 shows as
// -1, -2, -5), so that OK without edits assembles the same count again.
std::array<QString, 3> timeFieldTexts(double seconds)
{
    const double whole = roundHalfEven(seconds);
    const double magnitude = std::fabs(whole);
    std::array<double, 3> parts{};
    constexpr double exactLimit = 9007199254740992.0; // 2^53
    if (magnitude < exactLimit) {
        const auto count = static_cast<qint64>(magnitude);
        parts = {double(count / 3600), double(count / 60 % 60), double(count % 60)};
    } else {
        // Past 2^53 every double is a whole multiple of a power of two and fmod is exact; no cast here, so
        // a count that is not finite shows as text that OK reads as 0 instead of being undefined.
        const double secondsPart = std::fmod(magnitude, 60.0);
        const double minutes = (magnitude - secondsPart) / 60.0;
        parts = {std::floor(minutes / 60.0), std::fmod(minutes, 60.0), secondsPart};
    }
    const double sign = whole < 0 ? -1.0 : 1.0;
    return {ShortestNumberText(sign * parts[0]), ShortestNumberText(sign * parts[1]),
            ShortestNumberText(sign * parts[2])};
}

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

OverrideDialog::OverrideDialog(bool total, ProjectTable &table,
                               const std::array<QString, RowCount> &projectNames, MessageBoxes &messageBoxes,
                               QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_total(total), m_table(table), m_messageBoxes(messageBoxes)
{
    setObjectName(QStringLiteral("frmOverride"));
    setWindowTitle(QStringLiteral("Override"));
    setWindowModality(Qt::ApplicationModal);
    // The dialog always opens at the same place on the screen, wherever the main window stands; setting
    // the geometry marks it as placed, so QDialog does not centre it over its parent.
    setGeometry(twipsRect(2760, 3750, 6495, 3615));
    setFixedSize(Twips(6495), Twips(3615));
    createControls();
    arrangeTabOrder();
    m_okButton->setFocus();
    Form_Load(projectNames);
}

void OverrideDialog::createControls()
{
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setAccessibleName(QStringLiteral("OK"));
    m_okButton->setGeometry(twipsRect(5160, 120, 1215, 375));
    connect(m_okButton, &QPushButton::clicked, this, &OverrideDialog::OKButton_Click);

    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setAccessibleName(QStringLiteral("Cancel"));
    m_cancelButton->setGeometry(twipsRect(5160, 600, 1215, 375));
    connect(m_cancelButton, &QPushButton::clicked, this, &OverrideDialog::CancelButton_Click);

    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    m_lblStatic[16] = addLabel(QStringLiteral("lblStatic16"), twipsRect(120, 240, 2055, 255),
                               QStringLiteral("Project name"), Qt::AlignLeft | Qt::AlignTop);
    m_lblStatic[17] = addLabel(QStringLiteral("lblStatic17"), twipsRect(2400, 240, 375, 255),
                               QStringLiteral("Hour"), centred);
    m_lblStatic[18] = addLabel(QStringLiteral("lblStatic18"), twipsRect(3000, 240, 375, 255),
                               QStringLiteral("Min"), centred);
    m_lblStatic[19] = addLabel(QStringLiteral("lblStatic19"), twipsRect(3600, 240, 375, 255),
                               QStringLiteral("Sec"), centred);

    m_line1 = new QFrame(this);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setFrameShape(QFrame::HLine);
    m_line1->setFrameShadow(QFrame::Plain);
    m_line1->setLineWidth(1);
    m_line1->setGeometry(Twips(120), Twips(480), Twips(3960 - 120), 1);

    for (int row = 0; row < RowCount; ++row)
        createRow(row);

    // Neither button is the default: Enter in a field must not apply the entries (see keyPressEvent).
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void OverrideDialog::createRow(int row)
{
    const QString index = QString::number(row);
    const int top = rowTop(row);
    // Row 7's name label stands 120 twips above the rest of its row.
    const int nameTop = row == 7 ? 3000 : top;
    m_lblProjectNames[row] =
        addLabel(QStringLiteral("lblProjectNames") + index, twipsRect(240, nameTop, 1935, 255), QString(),
                 Qt::AlignLeft | Qt::AlignTop);
    m_lblProjectNames[row]->setTextFormat(Qt::PlainText);

    // Screen readers hear the row by its number ("Project 3 hours"); Form_Load adds the project's name.
    const QString project = QStringLiteral("Project %1 ").arg(row + 1);
    const auto makeField = [this, &index, &project, top](const QString &name, const QString &unit, int left) {
        auto *field = new QLineEdit(this);
        field->setObjectName(name + index);
        field->setAccessibleName(project + unit);
        field->setGeometry(twipsRect(left, top, 375, 285));
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        new TypingLimit(2, field);
        field->installEventFilter(this);
        return field;
    };
    m_txtHr[row] = makeField(QStringLiteral("txtHr"), QStringLiteral("hours"), 2400);
    m_txtMin[row] = makeField(QStringLiteral("txtMin"), QStringLiteral("minutes"), 3000);
    m_txtSec[row] = makeField(QStringLiteral("txtSec"), QStringLiteral("seconds"), 3600);

    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    m_lblStatic[row] = addLabel(QStringLiteral("lblStatic") + index, twipsRect(2760, top, 255, 255),
                                QStringLiteral(":"), centred);
    m_lblStatic[8 + row] = addLabel(QStringLiteral("lblStatic") + QString::number(8 + row),
                                    twipsRect(3360, top, 255, 255), QStringLiteral(":"), centred);

    m_cmdReset[row] = new QPushButton(QStringLiteral("Reset"), this);
    m_cmdReset[row]->setObjectName(QStringLiteral("cmdReset") + index);
    m_cmdReset[row]->setAccessibleName(QStringLiteral("Reset project %1").arg(row + 1));
    m_cmdReset[row]->setGeometry(twipsRect(4200, top, 615, 315));
    connect(m_cmdReset[row], &QPushButton::clicked, this, [this, row] { cmdReset_Click(row); });
}

QLabel *OverrideDialog::addLabel(const QString &name, const QRect &twips, const QString &text,
                                 Qt::Alignment alignment)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(twips);
    label->setAlignment(alignment);
    return label;
}

void OverrideDialog::arrangeTabOrder()
{
    // OK, Cancel, then down each column in turn, then the Reset buttons; labels never take the focus.
    QList<QWidget *> order{m_okButton, m_cancelButton};
    for (const auto *column : {&m_txtHr, &m_txtMin, &m_txtSec})
        order.append(QList<QWidget *>(column->begin(), column->end()));
    order.append(QList<QWidget *>(m_cmdReset.begin(), m_cmdReset.end()));
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void OverrideDialog::Form_Load(const std::array<QString, RowCount> &projectNames)
{
    setWindowTitle(m_total ? QStringLiteral("Adjust total times") : QStringLiteral("Adjust daily times"));
    for (int row = 0; row < RowCount; ++row) {
        if (projectNames[row].isEmpty()) {
            for (QWidget *control : std::initializer_list<QWidget *>{
                     m_txtHr[row], m_txtMin[row], m_txtSec[row], m_lblProjectNames[row], m_cmdReset[row]})
                control->setEnabled(false);
            continue;
        }
        m_lblProjectNames[row]->setText(projectNames[row]);
        for (QWidget *control :
             std::initializer_list<QWidget *>{m_txtHr[row], m_txtMin[row], m_txtSec[row], m_cmdReset[row]})
            control->setAccessibleDescription(projectNames[row]);
        const double seconds = m_total ? m_table.totalTime(row) : double(m_table.dailyTime(row));
        const std::array<QString, 3> texts = timeFieldTexts(seconds);
        m_txtHr[row]->setText(texts[0]);
        m_txtMin[row]->setText(texts[1]);
        m_txtSec[row]->setText(texts[2]);
    }
}

void OverrideDialog::OKButton_Click()
{
    // Row by row, so that a failing row leaves the rows before it applied and the rest untouched.
    for (int row = 0; row < RowCount; ++row) {
        if (!m_lblProjectNames[row]->isEnabled())
            continue;
        const std::optional<qint16> hours = fieldNumber(m_txtHr[row]);
        const std::optional<qint16> minutes = fieldNumber(m_txtMin[row]);
        const std::optional<qint16> seconds = fieldNumber(m_txtSec[row]);
        if (!hours || !minutes || !seconds) {
            // Only a loaded hour count beyond 16 bits gets here; typing is limited to two characters.
            m_messageBoxes.showError(
                QStringLiteral("Error adjusting times"),
                {ErrorNumber::Overflow, programErrorSource(), QStringLiteral("Overflow")});
            reject();
            return;
        }
        const double count = AssembleTime(*hours, *minutes, *seconds);
        if (m_total)
            m_table.setTotalTime(row, count);
        else
            m_table.setDailyTime(row, static_cast<float>(count));
        Q_EMIT rowApplied(row);
    }
    accept();
}

void OverrideDialog::CancelButton_Click()
{
    reject();
}

void OverrideDialog::cmdReset_Click(int index)
{
    const QString text =
        QStringLiteral("Reset '") + m_lblProjectNames[index]->text() + QStringLiteral("' timer?");
    const int style = MessageBoxStyle::YesNo + MessageBoxStyle::Question + MessageBoxStyle::DefaultButton2;
    if (m_messageBoxes.show(style, QStringLiteral("Reset timer"), text) != MessageBoxAnswer::Yes)
        return;
    // The table changes now, not on OK, and Cancel does not undo it; the main window's box keeps the old
    // time until OK or its next redraw.
    if (m_total)
        m_table.setTotalTime(index, 0.0);
    else
        m_table.setDailyTime(index, 0.0f);
    m_txtHr[index]->setText(QStringLiteral("0"));
    m_txtMin[index]->setText(QStringLiteral("0"));
    m_txtSec[index]->setText(QStringLiteral("0"));
}

void OverrideDialog::txtHr_Validate(int index)
{
    tidyField(m_txtHr[index]);
}

void OverrideDialog::txtMin_Validate(int index)
{
    tidyField(m_txtMin[index]);
}

void OverrideDialog::txtSec_Validate(int index)
{
    tidyField(m_txtSec[index]);
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
        if (field == m_txtHr[row])
            txtHr_Validate(row);
        else if (field == m_txtMin[row])
            txtMin_Validate(row);
        else if (field == m_txtSec[row])
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
