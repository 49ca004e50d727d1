#include "typinglimit.h"

#include <QLineEdit>

#include <algorithm>

TypingLimit::TypingLimit(int maxLength, QLineEdit *lineEdit)
    : QObject(lineEdit), m_lineEdit(lineEdit), m_maxLength(maxLength), m_accepted(lineEdit->text())
{
    // textEdited comes only from the user's edits (typing, pasting, dropping, undo); textChanged from every
    // change, so it keeps the text to go back to, the program's own included.
    connect(lineEdit, &QLineEdit::textEdited, this, &TypingLimit::takeBackIfTooLong);
    // The line edit's own text is read rather than the signal's: a change taken back from inside
    // textEdited is still announced afterwards with the refused text.
    connect(lineEdit, &QLineEdit::textChanged, this, [this] { m_accepted = m_lineEdit->text(); });
}

void TypingLimit::takeBackIfTooLong(const QString &edited)
{
    if (edited.size() <= m_maxLength || edited.size() <= m_accepted.size())
        return;
    const int cursor = std::min(m_lineEdit->cursorPosition(), int(m_accepted.size()));
    m_lineEdit->setText(m_accepted);
    m_lineEdit->setCursorPosition(cursor);
}
