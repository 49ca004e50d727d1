#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

// Limits what the user types or pastes into a line edit to a number of characters, without ever cutting
// text that the program puts there: QLineEdit::setMaxLength cuts both, and a QValidator cannot tell the
// program's setText() from typing. A user edit that would leave the text longer than the limit, and longer
// than it was, keeps only as much of what it put in as fits (none, for a key typed at the limit); one that
// shortens a longer program-set text is kept.
class TypingLimit : public QObject
{
    Q_OBJECT

public:
    TypingLimit(int maxLength, QLineEdit *lineEdit);

    int maxLength() const { return m_maxLength; }

private:
    void takeBackIfTooLong(const QString &edited);

    QLineEdit *m_lineEdit;
    int m_maxLength;
    QString m_accepted;
};
