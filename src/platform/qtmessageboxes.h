#pragma once

#include "messageboxes.h"

// Message boxes shown with QMessageBox, owned by the window that is active at the time.
class QtMessageBoxes : public MessageBoxes
{
public:
    int show(int style, const QString &title, const QString &text) override;
    int showChanging(int style, const QString &title, const ChangingText &text) override;

private:
    static int ask(int style, const QString &title, const QString &text, const ChangingText *changing);
};
