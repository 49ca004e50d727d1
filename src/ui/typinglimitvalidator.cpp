#include "typinglimitvalidator.h"

#include <QLineEdit>

TypingLimitValidator::TypingLimitValidator(int maxLength, QLineEdit *lineEdit)
    : QValidator(lineEdit), m_maxLength(maxLength), m_acceptedLength(int(lineEdit->text().size()))
{
    // The line edit has already taken an edit when it asks the validator, so the length before the edit is
    // remembered here from every change, the program's setText() included.
    connect(lineEdit, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_acceptedLength = int(text.size()); });
    lineEdit->setValidator(this);
}

QValidator::State TypingLimitValidator::validate(QString &input, int &) const
{
    const int length = int(input.size());
    if (length > m_maxLength && length > m_acceptedLength)
        return Invalid;
    // Acceptable even when a program-set text is longer than the limit: QLineEdit withholds
    // editingFinished and returnPressed for anything less.
    return Acceptable;
}
