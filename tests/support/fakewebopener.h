#pragma once

#include "platform/webaddressopener.h"

#include <QStringList>

// Records the addresses it was asked to open and answers with a set outcome.
class FakeWebOpener : public WebAddressOpener
{
public:
    QStringList opened;
    OpenOutcome outcome{true, std::nullopt};

    OpenOutcome open(const QString &address) override
    {
        opened.append(address);
        return outcome;
    }
};
