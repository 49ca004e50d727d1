#pragma once

#include "presencesource.h"

#include <QStringList>
#include <QVariantMap>

// The user's presence as the desktop announces it over D-Bus: logind's PrepareForSleep on the system bus,
// the LockedHint of the user's logind session, and the screen saver's ActiveChanged on the session bus.
// A bus or a service that is missing is left out without a word; with none at all the user never leaves.
// Sleeps that nobody announces are found from the clocks instead (SessionModel::noticeSleep).
class DesktopPresenceSource : public PresenceSource
{
    Q_OBJECT

public:
    using PresenceSource::PresenceSource;

    // Connects to the buses and starts listening; the calls it makes are answered later, so it does not
    // hold up the start.
    void watch();

private Q_SLOTS:
    // QtDBus delivers bus signals to slots named by their signature.
    void prepareForSleep(bool sleeping);
    void sessionPropertiesChanged(const QString &interfaceName, const QVariantMap &changed,
                                  const QStringList &invalidated);
    void screenSaverActiveChanged(bool active);

private:
    enum Reason { Asleep = 1, Locked = 2, ScreenSaver = 4 };
    void setReason(Reason reason, bool on);

    void findSession();
    void watchSession(const QString &path);
    void readLockedHint();

    int m_reasons = 0;
    QString m_sessionPath;
};
