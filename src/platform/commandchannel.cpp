#include "commandchannel.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

struct CommandChannel::Connection
{
    int socket = -1;
    QByteArray received;
    QSocketNotifier *notifier = nullptr;
    QTimer *deadline = nullptr;
};

namespace {

// A Unix socket address holds little more than a hundred bytes of path. A longer one is reached through
// the folder's descriptor, as /proc/self/fd/N/name, which is short whatever the folder's own path.
class SocketAddress
{
public:
    SocketAddress(const QString &folder, const QString &name)
    {
        if (name.contains(QLatin1Char('/')))
            return;
        if (fill(QFile::encodeName(folder + QLatin1Char('/') + name)))
            return;
        m_folder = ::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (m_folder >= 0)
            fill("/proc/self/fd/" + QByteArray::number(m_folder) + '/' + QFile::encodeName(name));
    }
    ~SocketAddress()
    {
        if (m_folder >= 0)
            ::close(m_folder);
    }
    SocketAddress(const SocketAddress &) = delete;
    SocketAddress &operator=(const SocketAddress &) = delete;

    bool isValid() const { return m_valid; }
    const sockaddr *get() const { return reinterpret_cast<const sockaddr *>(&m_address); }
    socklen_t length() const { return sizeof m_address; }

private:
    bool fill(const QByteArray &path)
    {
        if (path.size() >= qsizetype(sizeof m_address.sun_path))
            return false;
        m_address.sun_family = AF_UNIX;
        std::memcpy(m_address.sun_path, path.constData(), std::size_t(path.size()));
        m_valid = true;
        return true;
    }

    sockaddr_un m_address{};
    bool m_valid = false;
    int m_folder = -1;
};

// The kernel's word on who is at the other end (for a listener, who made it listen): a name or a mode
// could be set up by anyone.
bool peerIsThisUser(int socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

// A folder of this user that nobody else may enter. lstat for a folder that we make ourselves in /tmp,
// where another user could have put a link to somewhere of theirs.
bool isPrivateFolder(const QByteArray &path, bool followLink)
{
    struct stat folder
    {};
    const int found = followLink ? ::stat(path.constData(), &folder) : ::lstat(path.constData(), &folder);
    return found == 0 && S_ISDIR(folder.st_mode) && folder.st_uid == ::geteuid() &&
           (folder.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// One request line out, one reply line back, within the deadline.
std::optional<QByteArray> exchange(int socket, const SocketAddress &address, const QByteArray &line,
                                   const QDeadlineTimer &deadline)
{
    // A local connect is answered at once: queued by a listener, or refused. A full queue (a copy that no
    // longer accepts) makes it fail too, rather than wait.
    if (::connect(socket, address.get(), address.length()) != 0 || !peerIsThisUser(socket))
        return std::nullopt;
    if (::send(socket, line.constData(), std::size_t(line.size()), MSG_NOSIGNAL) != line.size())
        return std::nullopt;
    QByteArray received;
    char buffer[4096];
    for (;;) {
        pollfd readable{socket, POLLIN, 0};
        const int ready = ::poll(&readable, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt; // no answer in time: the copy may be frozen
        const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            return std::nullopt; // closed without a whole line
        received.append(buffer, got);
        const qsizetype lineEnd = received.indexOf('\n');
        if (lineEnd >= 0)
            return received.left(lineEnd);
        if (received.size() >= CommandChannel::MaxReply)
            return std::nullopt;
    }
}

} // namespace

CommandChannel::CommandChannel(Handler handler, QObject *parent)
    : QObject(parent), m_handler(std::move(handler))
{}

CommandChannel::~CommandChannel()
{
    while (!m_connections.isEmpty())
        drop(m_connections.constFirst());
    if (m_listener < 0)
        return;
    delete m_listenerNotifier;
    ::close(m_listener);
    // Only the socket this copy made: a copy that took over since has its own there.
    struct stat socket
    {};
    if (::stat(m_socketPath.constData(), &socket) == 0 && socket.st_ino == m_socketInode)
        ::unlink(m_socketPath.constData());
}

bool CommandChannel::listen(const QString &folder, const QString &name)
{
    const SocketAddress address(folder, name);
    if (m_listener >= 0 || !address.isValid())
        return false;
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener < 0)
        return false;
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
    ::unlink(path.constData()); // left by a copy that was killed
    if (::bind(listener, address.get(), address.length()) != 0) {
        ::close(listener);
        return false;
    }
    struct stat socket
    {};
    if (::chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 || ::stat(path.constData(), &socket) != 0 ||
        ::listen(listener, MaxConnections) != 0) {
        ::close(listener);
        ::unlink(path.constData());
        return false;
    }
    m_listener = listener;
    m_socketPath = path;
    m_socketInode = socket.st_ino;
    m_listenerNotifier = new QSocketNotifier(qintptr(listener), QSocketNotifier::Read, this);
    connect(m_listenerNotifier, &QSocketNotifier::activated, this, &CommandChannel::acceptConnections);
    return true;
}

std::optional<QByteArray> CommandChannel::send(const QString &folder, const QString &name,
                                               const QByteArray &request, int timeoutMs)
{
    if (request.contains('\n') || request.contains('\0') || request.size() >= MaxRequest)
        return std::nullopt;
    const QDeadlineTimer deadline(timeoutMs);
    const SocketAddress address(folder, name);
    if (!address.isValid())
        return std::nullopt;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return std::nullopt;
    std::optional<QByteArray> reply = exchange(socket, address, request + '\n', deadline);
    ::close(socket);
    return reply;
}

QString CommandChannel::userRuntimeFolder()
{
    const QByteArray uid = QByteArray::number(::geteuid());
    const QByteArray fromSession = qgetenv("XDG_RUNTIME_DIR");
    // One handed down by su or sudo belongs to the user who ran it, and is passed over.
    if (fromSession.startsWith('/') && isPrivateFolder(fromSession, true))
        return QFile::decodeName(fromSession);
    const QByteArray fromLogin = "/run/user/" + uid;
    if (isPrivateFolder(fromLogin, true))
        return QFile::decodeName(fromLogin);
    const QByteArray own = "/tmp/tallywick-" + uid;
    ::mkdir(own.constData(), S_IRWXU); // may be there already, from an earlier run
    return isPrivateFolder(own, false) ? QFile::decodeName(own) : QString();
}

void CommandChannel::acceptConnections()
{
    for (;;) {
        const int socket = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                // Out of descriptors: the waiting peer stays queued and would wake the loop at once
                // again, so the listener rests a moment.
                m_listenerNotifier->setEnabled(false);
                QTimer::singleShot(1000, m_listenerNotifier,
                                   [notifier = m_listenerNotifier] { notifier->setEnabled(true); });
            }
            return;
        }
        if (!peerIsThisUser(socket) || m_connections.size() >= MaxConnections) {
            ::close(socket);
            continue;
        }
        auto *connection = new Connection{socket, QByteArray(), nullptr, nullptr};
        connection->notifier = new QSocketNotifier(qintptr(socket), QSocketNotifier::Read, this);
        connect(connection->notifier, &QSocketNotifier::activated, this,
                [this, connection] { readRequest(connection); });
        // A peer that never finishes its line must not hold a place for ever.
        connection->deadline = new QTimer(this);
        connection->deadline->setSingleShot(true);
        connect(connection->deadline, &QTimer::timeout, this, [this, connection] { drop(connection); });
        connection->deadline->start(RequestTimeoutMs);
        m_connections.append(connection);
    }
}

void CommandChannel::readRequest(Connection *connection)
{
    char buffer[MaxRequest];
    bool ended = false;
    for (;;) {
        const ssize_t got = ::recv(connection->socket, buffer, sizeof buffer, 0);
        if (got > 0) {
            connection->received.append(buffer, got);
            if (connection->received.size() > MaxRequest)
                return drop(connection);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        ended = got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        break;
    }
    const QByteArray &received = connection->received;
    const qsizetype lineEnd = received.indexOf('\n');
    if (lineEnd < 0) {
        if (ended)
            drop(connection);
        return;
    }
    // One line and nothing after it; text, not bytes that a C string would cut short.
    if (lineEnd != received.size() - 1 || received.contains('\0'))
        return drop(connection);
    // Neither a second reading nor the deadline may come while the handler runs, should it run an event
    // loop.
    connection->notifier->setEnabled(false);
    connection->deadline->stop();
    const QByteArray reply = m_handler ? m_handler(received.left(lineEnd)) : QByteArray();
    if (!reply.contains('\n') && reply.size() < MaxReply) {
        const QByteArray line = reply + '\n';
        // Far less than the socket's buffer, so it goes at once; a peer that has gone just misses it.
        (void)::send(connection->socket, line.constData(), std::size_t(line.size()), MSG_NOSIGNAL);
    }
    drop(connection);
}

void CommandChannel::drop(Connection *connection)
{
    m_connections.removeOne(connection);
    connection->notifier->setEnabled(false);
    connection->notifier->deleteLater();
    connection->deadline->stop();
    connection->deadline->deleteLater();
    ::close(connection->socket);
    delete connection;
}
