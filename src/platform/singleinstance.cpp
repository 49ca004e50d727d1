#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The socket's address, or false when the path does not fit into one.
bool socketAddress(const QByteArray &path, sockaddr_un &address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    return true;
}

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent) : QObject(parent)
{
    // The user is part of the name: another user's copy works on other files.
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8() + '\0' + QByteArray::number(::getuid()),
                                                     QCryptographicHash::Sha256);
    m_serverName = QLatin1String("tallywick-") + QString::fromLatin1(hash.toHex().left(24));
    m_socketPath = QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + m_serverName);
}

SingleInstance::~SingleInstance()
{
    if (m_listener < 0)
        return;
    ::close(m_listener);
    ::unlink(m_socketPath.constData());
}

bool SingleInstance::claim()
{
    if (askRunningCopy())
        return false;
    if (listen())
        return true;
    // Another copy may have started in the meantime; if nobody answers, the socket was left behind by a
    // copy that crashed.
    if (askRunningCopy())
        return false;
    ::unlink(m_socketPath.constData());
    listen();
    return true; // without a guard if that failed too: running unguarded beats not running
}

bool SingleInstance::askRunningCopy() const
{
    sockaddr_un address;
    if (!socketAddress(m_socketPath, address))
        return false;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    // A local connect answers at once: accepted by a listening copy, refused for a socket left behind.
    // The connection itself is the request to come forward.
    const bool answered =
        ::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(socket);
    return answered;
}

bool SingleInstance::listen()
{
    sockaddr_un address;
    if (!socketAddress(m_socketPath, address))
        return false;
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener < 0)
        return false;
    if (::bind(listener, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::chmod(m_socketPath.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(listener, 8) != 0) {
        ::close(listener);
        return false;
    }
    m_listener = listener;
    m_notifier = new QSocketNotifier(qintptr(listener), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    // Each connection is one request to come forward.
    int connection;
    while ((connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
        ::close(connection);
        Q_EMIT activationRequested();
    }
}
