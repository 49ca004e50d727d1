#pragma once

#include "messageboxes.h"

// Message boxes shown with QMessageBox, owned by the window that is active at the time.
class QtMessageBoxes : public MessageBoxes
{
public:
    int show(int style, const QString &title, const QString &text) override;
};
