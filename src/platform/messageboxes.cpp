#include "messageboxes.h"

#include "core/errorinfo.h"

MessageBoxes::~MessageBoxes() = default;

void MessageBoxes::showError(const QString &context, const ErrorInfo &error)
{
    show(MessageBoxStyle::Critical, QStringLiteral("Error"), errorMessageText(context, error));
}

void ChangingText::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    Q_EMIT changed(text);
}

int MessageBoxes::showChanging(int style, const QString &title, const ChangingText &text)
{
    return show(style, title, text.text());
}
