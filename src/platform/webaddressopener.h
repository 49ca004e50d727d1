#pragma once

#include "core/errorinfo.h"

#include <QString>

#include <optional>

// What became of a request to show a web address in the user's browser.
struct OpenOutcome
{
    bool accepted = false;          // the desktop took the request
    // A failure to ask the desktop at all, as opposed to a plain refusal. Qt's opener never fails that way,
    // but an opener that starts a helper program can; the About window reports it.
    std::optional<ErrorInfo> error;
};

// Asks the desktop to show a web address in the user's default browser.
class WebAddressOpener
{
public:
    virtual ~WebAddressOpener();
    virtual OpenOutcome open(const QString &address) = 0;
};
