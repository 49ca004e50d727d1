#pragma once

#include "core/errorinfo.h"

#include <QString>

#include <optional>

// What became of a request to show a web address in the user's browser.
struct OpenOutcome
{
    bool accepted = false;          // the desktop took the request
    std::optional<ErrorInfo> error; // a run-time failure, as opposed to a plain refusal
};

// Asks the desktop to show a web address in the user's default browser.
class WebAddressOpener
{
public:
    virtual ~WebAddressOpener();
    virtual OpenOutcome open(const QString &address) = 0;
};
