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

// A native edit control takes as much of a paste as fits and refuses the rest; typing past the limit is
// a paste of one character that does not fit.
void TypingLimit::takeBackIfTooLong(const QString &edited)
{
    if (edited.size() <= m_maxLength || edited.size() <= m_accepted.size())
        return;
    // The edit put its text in at one place, perhaps over a selection, and left the cursor after it: the
    // text after the cursor and the text before the insertion are the accepted text's own.
    const qsizetype tailLimit = std::min(edited.size() - m_lineEdit->cursorPosition(), m_accepted.size());
    qsizetype tail = 0;
    while (tail < tailLimit && edited[edited.size() - 1 - tail] == m_accepted[m_accepted.size() - 1 - tail])
        ++tail;
    qsizetype head = 0;
    while (head < m_accepted.size() - tail && edited[head] == m_accepted[head])
        ++head;
    const QString inserted = edited.mid(head, edited.size() - tail - head);
    qsizetype room = std::max<qsizetype>(0, m_maxLength - head - tail);
    if (room > 0 && room < inserted.size() && inserted[room - 1].isHighSurrogate())
        --room; // not half a character
    const QString text = edited.left(head) + inserted.left(room) + edited.right(tail);
    m_lineEdit->setText(room > 0 ? text : m_accepted);
    m_lineEdit->setCursorPosition(int(head + room));
}
