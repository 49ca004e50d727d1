#pragma once

#include "platform/messageboxes.h"

#include <QList>
#include <QString>

// Records every box that was shown and answers from a script; with the script used up it answers Yes to a
// question and OK to anything else.
class FakeMessageBoxes : public MessageBoxes
{
public:
    struct Shown
    {
        int style;
        QString title;
        QString text;
    };

    QList<Shown> shown;
    QList<int> answers;

    int show(int style, const QString &title, const QString &text) override
    {
        shown.append({style, title, text});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return (style & 0x0F) == MessageBoxStyle::YesNo ? MessageBoxAnswer::Yes : MessageBoxAnswer::Ok;
    }
};
