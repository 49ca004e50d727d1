#pragma once

#include <QObject>

// Tells when the user leaves the computer (it goes to sleep, the screen locks, the screen saver starts)
// and when they are back (all of these have ended). Windows take it as an interface so that tests can
// play the user's comings and goings.
class PresenceSource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~PresenceSource() override;

Q_SIGNALS:
    void left();
    void cameBack();
};
