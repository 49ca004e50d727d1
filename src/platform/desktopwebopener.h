#pragma once

#include "webaddressopener.h"

// Opens web addresses through QDesktopServices (xdg-open and the desktop portal underneath).
class DesktopWebOpener : public WebAddressOpener
{
public:
    OpenOutcome open(const QString &address) override;
};
