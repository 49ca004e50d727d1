#include "qtmessageboxes.h"

#include <QApplication>
#include <QMessageBox>

int QtMessageBoxes::show(int style, const QString &title, const QString &text)
{
    return ask(style, title, text, nullptr);
}

int QtMessageBoxes::showChanging(int style, const QString &title, const ChangingText &text)
{
    return ask(style, title, text.text(), &text);
}

int QtMessageBoxes::ask(int style, const QString &title, const QString &text, const ChangingText *changing)
{
    const int buttons = style & 0x0F;
    const int icon = style & 0x70;
    const bool secondIsDefault = (style & MessageBoxStyle::DefaultButton2) != 0;

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    // Texts carry what users typed (project names, their own name): "<b>" must show as typed, and nothing
    // that looks like markup may load an image or a link.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (changing)
        QObject::connect(changing, &ChangingText::changed, &box, &QMessageBox::setText);
    switch (icon) {
    case MessageBoxStyle::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageBoxStyle::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageBoxStyle::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (buttons == MessageBoxStyle::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(secondIsDefault ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageBoxAnswer::Yes : MessageBoxAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageBoxAnswer::Ok;
}
