#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QSocketNotifier;

// The local channel through which a process of the same user asks the running copy of the program
// something: one request line and one reply line per connection, over a Unix socket in a folder that only
// the user may enter. The running copy reads through socket notifiers and never waits on a peer; the
// handler answers each request at once. A peer of another user, a request longer than MaxRequest bytes,
// one that holds a NUL character, more than one line, or does not arrive within RequestTimeoutMs, is
// dropped without a reply. Plain POSIX sockets: QtNetwork and the libraries it pulls in would add a tenth
// to the program's start-up for one socket.
class CommandChannel : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxRequest = 256;        // bytes, the line feed included
    static constexpr int MaxReply = 64 * 1024;    // bytes, the line feed included
    static constexpr int RequestTimeoutMs = 2000; // for the request line to arrive whole
    static constexpr int MaxConnections = 8;      // open at once; more are closed at once

    // Takes a request line and returns the reply line, both without the line feed. A reply that holds a
    // line feed, or is too long, is not sent.
    using Handler = std::function<QByteArray(const QByteArray &request)>;

    explicit CommandChannel(Handler handler, QObject *parent = nullptr);
    ~CommandChannel() override;

    // Listens as `name` in `folder`, replacing a socket of that name that was left there; false when it
    // cannot. The caller makes sure that no other copy listens there (it holds the lock).
    bool listen(const QString &folder, const QString &name);

    // Sends one request line to the copy that listens as `name` in `folder`, and waits at most timeoutMs
    // for the reply line. nullopt when nobody listens there, the listener is another user's, or no whole
    // reply came in time.
    static std::optional<QByteArray> send(const QString &folder, const QString &name,
                                          const QByteArray &request, int timeoutMs);

    // The user's runtime folder: $XDG_RUNTIME_DIR, else /run/user/<uid>, else /tmp/tallywick-<uid> (made
    // when missing); each only when it is a folder that belongs to the user and that nobody else may
    // enter. Never under $TMPDIR, so that copies started with different TMPDIR values meet. Empty when
    // there is none.
    static QString userRuntimeFolder();

private:
    struct Connection;

    void acceptConnections();
    void readRequest(Connection *connection);
    void drop(Connection *connection);

    Handler m_handler;
    QByteArray m_socketPath;
    quint64 m_socketInode = 0;
    int m_listener = -1;
    QSocketNotifier *m_listenerNotifier = nullptr;
    QList<Connection *> m_connections;
};
