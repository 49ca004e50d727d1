#pragma once

#include "platform/messageboxes.h"

#include <QStringList>

#include <functional>
#include <utility>

// Records every box that was shown and answers from a script; with the script used up it answers Yes to a
// question and OK to anything else. What a test sets in whileOpen happens while the next box whose text
// can change is open, and that box is recorded with the text it shows when it closes.
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
    std::function<void()> whileOpen;

    int show(int style, const QString &title, const QString &text) override
    {
        shown.append({style, title, text});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return (style & 0x0F) == MessageBoxStyle::YesNo ? MessageBoxAnswer::Yes : MessageBoxAnswer::Ok;
    }

    int showChanging(int style, const QString &title, const ChangingText &text) override
    {
        if (const std::function<void()> act = std::exchange(whileOpen, nullptr))
            act();
        return show(style, title, text.text());
    }

    // The boxes shown so far, each as "style title: text".
    QStringList shownBoxes() const
    {
        QStringList list;
        for (const Shown &box : shown)
            list << QStringLiteral("%1 %2: %3").arg(box.style).arg(box.title, box.text);
        return list;
    }
};
