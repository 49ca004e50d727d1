#include "overridedialogform.h"

#include "ui/twips.h"
#include "ui/typinglimit.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int rowTop(int row)
{
    return 600 + 360 * row;
}

QLabel *addLabel(QDialog *dialog, const QString &name, const QRect &twips, const QString &text,
                 Qt::Alignment alignment)
{
    auto *label = new QLabel(text, dialog);
    label->setObjectName(name);
    label->setGeometry(twips);
    label->setAlignment(alignment);
    return label;
}

QPushButton *addButton(QDialog *dialog, const QString &name, const QString &text,
                       const QString &accessibleName, const QRect &twips)
{
    auto *button = new QPushButton(text, dialog);
    button->setObjectName(name);
    button->setAccessibleName(accessibleName);
    button->setGeometry(twips);
    // Neither button is the default: Enter in a field must not apply the entries.
    button->setAutoDefault(false);
    return button;
}

} // namespace

void OverrideDialogForm::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmOverride"));
    dialog->setWindowTitle(QStringLiteral("Override"));
    // The dialog always opens at the same place on the screen, wherever the main window stands; setting
    // the geometry marks it as placed, so QDialog does not centre it over its parent.
    dialog->setGeometry(twipsRect(2760, 3750, 6495, 3615));
    dialog->setFixedSize(Twips(6495), Twips(3615));

    OKButton = addButton(dialog, QStringLiteral("OKButton"), QStringLiteral("OK"), QStringLiteral("OK"),
                         twipsRect(5160, 120, 1215, 375));
    CancelButton = addButton(dialog, QStringLiteral("CancelButton"), QStringLiteral("Cancel"),
                             QStringLiteral("Cancel"), twipsRect(5160, 600, 1215, 375));

    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    addLabel(dialog, QStringLiteral("lblStatic16"), twipsRect(120, 240, 2055, 255),
             QStringLiteral("Project name"), Qt::AlignLeft | Qt::AlignTop);
    addLabel(dialog, QStringLiteral("lblStatic17"), twipsRect(2400, 240, 375, 255), QStringLiteral("Hour"),
             centred);
    addLabel(dialog, QStringLiteral("lblStatic18"), twipsRect(3000, 240, 375, 255), QStringLiteral("Min"),
             centred);
    addLabel(dialog, QStringLiteral("lblStatic19"), twipsRect(3600, 240, 375, 255), QStringLiteral("Sec"),
             centred);

    auto *line = new QFrame(dialog);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    line->setGeometry(Twips(120), Twips(480), Twips(3960 - 120), 1);

    for (int row = 0; row < RowCount; ++row)
        createRow(dialog, row);
    arrangeTabOrder();
    OKButton->setFocus();
}

void OverrideDialogForm::createRow(QDialog *dialog, int row)
{
    const auto index = std::size_t(row);
    const QString number = QString::number(row);
    const int top = rowTop(row);
    // Row 7's name label stands 120 twips above the rest of its row.
    const int nameTop = row == 7 ? 3000 : top;
    lblProjectNames[index] =
        addLabel(dialog, QStringLiteral("lblProjectNames") + number, twipsRect(240, nameTop, 1935, 255),
                 QString(), Qt::AlignLeft | Qt::AlignTop);
    lblProjectNames[index]->setTextFormat(Qt::PlainText);

    // Screen readers hear the row by its number ("Project 3 hours"); the dialog adds the project's name.
    const QString project = QStringLiteral("Project %1 ").arg(row + 1);
    const auto makeField = [dialog, &number, &project, top](const QString &name, const QString &unit,
                                                            int left) {
        auto *field = new QLineEdit(dialog);
        field->setObjectName(name + number);
        field->setAccessibleName(project + unit);
        field->setGeometry(twipsRect(left, top, 375, 285));
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        new TypingLimit(2, field);
        return field;
    };
    txtHr[index] = makeField(QStringLiteral("txtHr"), QStringLiteral("hours"), 2400);
    txtMin[index] = makeField(QStringLiteral("txtMin"), QStringLiteral("minutes"), 3000);
    txtSec[index] = makeField(QStringLiteral("txtSec"), QStringLiteral("seconds"), 3600);

    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    addLabel(dialog, QStringLiteral("lblStatic") + number, twipsRect(2760, top, 255, 255),
             QStringLiteral(":"), centred);
    addLabel(dialog, QStringLiteral("lblStatic") + QString::number(8 + row), twipsRect(3360, top, 255, 255),
             QStringLiteral(":"), centred);

    cmdReset[index] =
        addButton(dialog, QStringLiteral("cmdReset") + number, QStringLiteral("Reset"),
                  QStringLiteral("Reset project %1").arg(row + 1), twipsRect(4200, top, 615, 315));
}

void OverrideDialogForm::arrangeTabOrder()
{
    // OK, Cancel, then down each column in turn, then the Reset buttons; labels never take the focus.
    QList<QWidget *> order{OKButton, CancelButton};
    for (const auto *column : {&txtHr, &txtMin, &txtSec})
        order.append(QList<QWidget *>(column->begin(), column->end()));
    order.append(QList<QWidget *>(cmdReset.begin(), cmdReset.end()));
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}
