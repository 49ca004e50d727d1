#include "desktoppresencesource.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

#include <functional>

#include <unistd.h>

namespace {

const QString LoginService = QStringLiteral("org.freedesktop.login1");
const QString LoginPath = QStringLiteral("/org/freedesktop/login1");
const QString LoginManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString LoginSession = QStringLiteral("org.freedesktop.login1.Session");
const QString LoginUser = QStringLiteral("org.freedesktop.login1.User");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString LockedHint = QStringLiteral("LockedHint");

// Calls a method on the system bus without waiting: `answered` receives the reply's first argument,
// `failed` runs when there is an error instead.
void callLogin(QObject *context, const QString &path, const QString &interfaceName, const QString &method,
               const QVariantList &arguments, const std::function<void(const QVariant &)> &answered,
               const std::function<void()> &failed = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(LoginService, path, interfaceName, method);
    message.setArguments(arguments);
    auto *call = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(message), context);
    QObject::connect(call, &QDBusPendingCallWatcher::finished, context,
                     [answered, failed](QDBusPendingCallWatcher *finished) {
                         finished->deleteLater();
                         const QDBusMessage reply = finished->reply();
                         if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
                             answered(reply.arguments().constFirst());
                         else if (failed)
                             failed();
                     });
}

QString objectPath(const QVariant &value)
{
    return value.value<QDBusObjectPath>().path();
}

// A property's value from the variant that Properties.Get answers with.
QVariant propertyValue(const QVariant &value)
{
    return value.value<QDBusVariant>().variant();
}

} // namespace

PresenceSource::~PresenceSource() = default;

void DesktopPresenceSource::watch()
{
    // QtDBus names its receivers by their signature only; these slots are private to this class.
    QDBusConnection system = QDBusConnection::systemBus();
    if (system.isConnected()) {
        system.connect(LoginService, LoginPath, LoginManager, QStringLiteral("PrepareForSleep"), this,
                       SLOT(prepareForSleep(bool)));
        findSession();
    }
    QDBusConnection session = QDBusConnection::sessionBus();
    if (session.isConnected()) {
        // Any sender on any path: the desktops publish their screen savers under several names.
        for (const QString &interfaceName :
             {QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("org.gnome.ScreenSaver")})
            session.connect(QString(), QString(), interfaceName, QStringLiteral("ActiveChanged"), this,
                            SLOT(screenSaverActiveChanged(bool)));
    }
}

void DesktopPresenceSource::prepareForSleep(bool sleeping)
{
    setReason(Asleep, sleeping);
}

void DesktopPresenceSource::sessionPropertiesChanged(const QString &interfaceName, const QVariantMap &changed,
                                                     const QStringList &invalidated)
{
    if (interfaceName != LoginSession)
        return;
    if (changed.contains(LockedHint))
        setReason(Locked, changed.value(LockedHint).toBool());
    else if (invalidated.contains(LockedHint))
        readLockedHint();
}

void DesktopPresenceSource::screenSaverActiveChanged(bool active)
{
    setReason(ScreenSaver, active);
}

void DesktopPresenceSource::setReason(Reason reason, bool on)
{
    const bool wasAway = m_reasons != 0;
    m_reasons = on ? m_reasons | reason : m_reasons & ~reason;
    const bool away = m_reasons != 0;
    if (away == wasAway)
        return;
    if (away)
        Q_EMIT left();
    else
        Q_EMIT cameBack();
}

void DesktopPresenceSource::findSession()
{
    // The program's own session; one started outside any (by a user service) takes the session named in
    // its environment, or else the user's graphical session.
    const auto watchPath = [this](const QVariant &path) {
        watchSession(objectPath(path));
    };
    const auto displaySession = [this] {
        const auto readDisplay = [this](const QVariant &userPath) {
            callLogin(this, objectPath(userPath), Properties, QStringLiteral("Get"),
                      {LoginUser, QStringLiteral("Display")}, [this](const QVariant &value) {
                          // Display is a struct of the session's id and its path.
                          QString id;
                          QDBusObjectPath path;
                          const auto display = propertyValue(value).value<QDBusArgument>();
                          display.beginStructure();
                          display >> id >> path;
                          display.endStructure();
                          if (!id.isEmpty())
                              watchSession(path.path());
                      });
        };
        callLogin(this, LoginPath, LoginManager, QStringLiteral("GetUser"), {quint32(::getuid())},
                  readDisplay);
    };
    const QString sessionId = qEnvironmentVariable("XDG_SESSION_ID");
    const auto sessionFromEnvironment = [this, sessionId, watchPath, displaySession] {
        if (sessionId.isEmpty())
            displaySession();
        else
            callLogin(this, LoginPath, LoginManager, QStringLiteral("GetSession"), {sessionId}, watchPath,
                      displaySession);
    };
    callLogin(this, LoginPath, LoginManager, QStringLiteral("GetSessionByPID"), {quint32(::getpid())},
              watchPath, sessionFromEnvironment);
}

void DesktopPresenceSource::watchSession(const QString &path)
{
    if (path.isEmpty() || !m_sessionPath.isEmpty())
        return;
    m_sessionPath = path;
    QDBusConnection::systemBus().connect(LoginService, path, Properties, QStringLiteral("PropertiesChanged"),
                                         this,
                                         SLOT(sessionPropertiesChanged(QString, QVariantMap, QStringList)));
    readLockedHint();
}

void DesktopPresenceSource::readLockedHint()
{
    callLogin(this, m_sessionPath, Properties, QStringLiteral("Get"), {LoginSession, LockedHint},
              [this](const QVariant &value) { setReason(Locked, propertyValue(value).toBool()); });
}
