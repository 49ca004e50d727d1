#include "messageboxes.h"

#include "core/errorinfo.h"

MessageBoxes::~MessageBoxes() = default;

void MessageBoxes::showError(const QString &context, const ErrorInfo &error)
{
    show(MessageBoxStyle::Critical, QStringLiteral("Error"), errorMessageText(context, error));
}
