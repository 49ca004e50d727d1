#pragma once

#include <QObject>
#include <QString>

struct ErrorInfo;

// Message-box styles are sums of these values; answers are the values below.
namespace MessageBoxStyle {
constexpr int OkOnly = 0;
constexpr int YesNo = 4;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int DefaultButton2 = 256;
} // namespace MessageBoxStyle

namespace MessageBoxAnswer {
constexpr int Ok = 1;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MessageBoxAnswer

// The text of a box that may change while the box is open.
class ChangingText : public QObject
{
    Q_OBJECT

public:
    QString text() const { return m_text; }
    void setText(const QString &text);

Q_SIGNALS:
    void changed(const QString &text);

private:
    QString m_text;
};

// Asks the user something, or tells them, in a modal message box. Windows take it as an interface so that
// tests can script the answers and read what was asked.
class MessageBoxes
{
public:
    virtual ~MessageBoxes();

    // Shows a box of the given style (buttons, icon, default button) and returns the answer.
    virtual int show(int style, const QString &title, const QString &text) = 0;

    // As show(), with a text that the open box follows when it changes. A box that cannot change shows
    // the text it had when it opened.
    virtual int showChanging(int style, const QString &title, const ChangingText &text);

    // The shared error box: style 16, title "Error", the context and the error's details.
    void showError(const QString &context, const ErrorInfo &error);
};
