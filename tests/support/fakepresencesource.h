#pragma once

#include "platform/presencesource.h"

// The user's comings and goings, played by a test.
class FakePresenceSource : public PresenceSource
{
    Q_OBJECT

public:
    void leave() { Q_EMIT left(); }
    void comeBack() { Q_EMIT cameBack(); }
};
