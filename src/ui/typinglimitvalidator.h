#pragma once

#include <QValidator>

class QLineEdit;

// Limits what the user types or pastes into a line edit to a number of characters, without ever cutting
// text that the program puts there (QLineEdit::setMaxLength would cut both). An edit that leaves the text
// longer than the limit is refused unless it makes the text shorter, so a longer text that the program set
// can still be shortened.
class TypingLimitValidator : public QValidator
{
    Q_OBJECT

public:
    TypingLimitValidator(int maxLength, QLineEdit *lineEdit);

    State validate(QString &input, int &pos) const override;

    int maxLength() const { return m_maxLength; }

private:
    int m_maxLength;
    int m_acceptedLength = 0;
};
