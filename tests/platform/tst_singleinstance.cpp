#include "platform/singleinstance.h"
#include "support/fakemessageboxes.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

// The single-copy guard and its channel, as later copies and other processes meet them. The tests run as
// root; another user is played by a child process that takes what it needs as root and then becomes
// uid 4242.
namespace {

constexpr uid_t otherUser = 4242;

// Runs work on a thread of its own while this one serves the channel, as a second process would.
template<typename Work> auto whileServing(Work work)
{
    auto result = std::async(std::launch::async, work);
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QTest::qWait(5);
    return result.get();
}

sockaddr_un addressOf(const QByteArray &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    return address;
}

void becomeUser(uid_t user)
{
    if (user != 0 && (::setresgid(user, user, user) != 0 || ::setresuid(user, user, user) != 0))
        ::_exit(1);
}

// Another copy of the program in a process of its own, run by the user given: it holds the lock or not,
// and listens at the channel, answering "ok" to anything unless it is frozen.
class OtherCopy
{
public:
    OtherCopy(const QString &list, const QString &folder, uid_t user, bool holdsLock, bool answers)
    {
        const QByteArray lock = QFile::encodeName(list + ".lock");
        const sockaddr_un address =
            addressOf(QFile::encodeName(folder + '/' + SingleInstance::channelNameFor(list)));
        int ready[2];
        if (::pipe(ready) != 0)
            qFatal("no pipe");
        m_pid = ::fork();
        if (m_pid == 0) {
            std::signal(SIGPIPE, SIG_IGN); // a peer that goes without its reply must not end this copy
            if (holdsLock)
                ::flock(::open(lock.constData(), O_RDONLY | O_CREAT, 0644), LOCK_EX);
            const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
            ::bind(listener, reinterpret_cast<const sockaddr *>(&address), sizeof address);
            becomeUser(user);
            ::listen(listener, 4);
            if (::write(ready[1], "r", 1) != 1)
                ::_exit(1);
            if (!answers)
                ::pause();
            for (char request[300];;) {
                const int connection = ::accept(listener, nullptr, nullptr);
                [[maybe_unused]] const ssize_t got = ::read(connection, request, sizeof request);
                [[maybe_unused]] const ssize_t sent = ::write(connection, "ok\n", 3);
                ::close(connection);
            }
        }
        char byte;
        if (::read(ready[0], &byte, 1) != 1)
            qFatal("the other copy did not start");
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~OtherCopy() { kill(); }
    OtherCopy(const OtherCopy &) = delete;
    OtherCopy &operator=(const OtherCopy &) = delete;

    void kill()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
};

// Sends bytes as they are, as the user given, and returns all that came back before the channel closed
// the connection; "(kept open)" when it had not after five seconds.
QByteArray rawExchange(const QByteArray &socketPath, const QByteArray &bytes, uid_t user)
{
    int result[2];
    if (::pipe(result) != 0)
        return "(no pipe)";
    const pid_t pid = ::fork();
    if (pid == 0) {
        becomeUser(user);
        const sockaddr_un address = addressOf(socketPath);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
            ::write(socket, bytes.constData(), std::size_t(bytes.size())) != bytes.size())
            ::_exit(1);
        char buffer[4096];
        for (;;) {
            pollfd readable{socket, POLLIN, 0};
            if (::poll(&readable, 1, 5000) <= 0) {
                if (::write(result[1], "(kept open)", 11) != 11)
                    ::_exit(1);
                ::_exit(0);
            }
            const ssize_t got = ::read(socket, buffer, sizeof buffer);
            if (got <= 0 || ::write(result[1], buffer, std::size_t(got)) != got)
                ::_exit(0);
        }
    }
    ::close(result[1]);
    QByteArray received;
    char buffer[4096];
    for (ssize_t got; (got = ::read(result[0], buffer, sizeof buffer)) > 0;)
        received.append(buffer, got);
    ::close(result[0]);
    ::waitpid(pid, nullptr, 0);
    return received;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void laterCopyHandsOverWhateverItsTmpdir_data();
    void laterCopyHandsOverWhateverItsTmpdir();
    void otherCopiesNeverEndThisOneSilently_data();
    void otherCopiesNeverEndThisOneSilently();
    void channelAnswersOneShortLineOfThisUserOnly_data();
    void channelAnswersOneShortLineOfThisUserOnly();
    void runtimeFolderIsTheUsersOwn_data();
    void runtimeFolderIsTheUsersOwn();
};

void TestSingleInstance::laterCopyHandsOverWhateverItsTmpdir_data()
{
    QTest::addColumn<QByteArray>("tmpdir"); // the later copy's
    QTest::addColumn<bool>("longRuntimeFolder");

    QTest::newRow("the same TMPDIR") << QByteArray("/tmp") << false;
    QTest::newRow("another TMPDIR") << QByteArray("/var/tmp") << false;
    QTest::newRow("TMPDIR of 100 characters") << "/tmp/" + QByteArray(95, 't') << false;
    QTest::newRow("runtime folder of 150 characters") << QByteArray("/tmp") << true;
}

void TestSingleInstance::laterCopyHandsOverWhateverItsTmpdir()
{
    QFETCH(QByteArray, tmpdir);
    QFETCH(bool, longRuntimeFolder);
    QTemporaryDir folder;
    QString runtime = folder.path();
    if (longRuntimeFolder) {
        runtime += '/' + QString(150 - runtime.size() - 1, 'r');
        QVERIFY(QDir().mkdir(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    qputenv("TMPDIR", "/tmp");
    const QString list = folder.filePath(QStringLiteral("projlist.dat"));
    FakeMessageBoxes boxes;
    const mode_t umaskBefore = ::umask(077);
    SingleInstance first(list);
    QCOMPARE(first.claim(boxes), SingleInstance::Claim::Claimed);
    ::umask(umaskBefore);
    QSignalSpy activations(&first, &SingleInstance::activationRequested);

    qputenv("TMPDIR", tmpdir);
    QCOMPARE(whileServing([&] { return SingleInstance(list).claim(boxes); }),
             SingleInstance::Claim::HandedOver);
    QCOMPARE(activations.size(), 1);
    QVERIFY(boxes.shown.isEmpty());
    // Another user who shares the folder can take the lock, whatever the umask: their copy sees this one.
    QVERIFY(QFileInfo(list + ".lock").permissions() & QFile::ReadOther);
}

void TestSingleInstance::otherCopiesNeverEndThisOneSilently_data()
{
    QTest::addColumn<int>("user");
    QTest::addColumn<bool>("holdsLock");
    QTest::addColumn<bool>("answers");
    QTest::addColumn<bool>("killed");
    QTest::addColumn<SingleInstance::Claim>("claim");

    QTest::newRow("another user's socket, no lock")
        << int(otherUser) << false << true << false << SingleInstance::Claim::Claimed;
    QTest::newRow("another user's copy over the list")
        << int(otherUser) << true << true << false << SingleInstance::Claim::InUseElsewhere;
    QTest::newRow("this user's copy, frozen")
        << 0 << true << false << false << SingleInstance::Claim::InUseElsewhere;
    QTest::newRow("this user's copy, killed") << 0 << true << true << true << SingleInstance::Claim::Claimed;
}

// Either this copy runs (and the channel is its own), or it says why not in a box that names the list.
void TestSingleInstance::otherCopiesNeverEndThisOneSilently()
{
    QFETCH(int, user);
    QFETCH(bool, holdsLock);
    QFETCH(bool, answers);
    QFETCH(bool, killed);
    QFETCH(SingleInstance::Claim, claim);
    QTemporaryDir folder;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder.path()));
    const QString list = folder.filePath(QStringLiteral("projlist.dat"));
    SingleInstance guard(list);
    OtherCopy other(list, folder.path(), uid_t(user), holdsLock, answers);
    if (killed)
        other.kill();

    FakeMessageBoxes boxes;
    QCOMPARE(guard.claim(boxes), claim);
    if (claim == SingleInstance::Claim::Claimed) {
        QVERIFY(boxes.shown.isEmpty());
        QCOMPARE(whileServing([&] { return guard.ask("activate"); }), QByteArray("ok"));
    } else {
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY2(boxes.shown[0].text.contains(list), qPrintable(boxes.shown[0].text));
    }
}

void TestSingleInstance::channelAnswersOneShortLineOfThisUserOnly_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("user");
    QTest::addColumn<QByteArray>("reply"); // empty: closed without one

    QTest::newRow("request") << QByteArray("status\n") << 0 << QByteArray("status?\n");
    QTest::newRow("another user's request") << QByteArray("status\n") << int(otherUser) << QByteArray();
    QTest::newRow("longer than 256 bytes") << QByteArray(300, 's') + '\n' << 0 << QByteArray();
    QTest::newRow("NUL inside") << QByteArray("sta\0tus\n", 8) << 0 << QByteArray();
    QTest::newRow("two lines") << QByteArray("status\nstatus\n") << 0 << QByteArray();
    QTest::newRow("no line end, then silence") << QByteArray("status") << 0 << QByteArray();
}

void TestSingleInstance::channelAnswersOneShortLineOfThisUserOnly()
{
    QFETCH(QByteArray, sent);
    QFETCH(int, user);
    QFETCH(QByteArray, reply);
    QTemporaryDir folder;
    QList<QByteArray> handled;
    CommandChannel channel([&](const QByteArray &request) {
        handled << request;
        return request + '?';
    });
    QVERIFY(channel.listen(folder.path(), QStringLiteral("channel")));
    // Open to the other user by its modes, so that only the channel's own check keeps them out.
    const QByteArray socketPath = QFile::encodeName(folder.filePath(QStringLiteral("channel")));
    QVERIFY(::chmod(QFile::encodeName(folder.path()).constData(), 0777) == 0);
    QVERIFY(::chmod(socketPath.constData(), 0777) == 0);

    QCOMPARE(whileServing([&] { return rawExchange(socketPath, sent, uid_t(user)); }), reply);
    QCOMPARE(handled.size(), reply.isEmpty() ? 0 : 1);
}

void TestSingleInstance::runtimeFolderIsTheUsersOwn_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("owner");
    QTest::addColumn<bool>("chosen");

    QTest::newRow("private") << 0700 << 0 << true;
    QTest::newRow("open to others") << 0755 << 0 << false;
    QTest::newRow("another user's, as after su") << 0700 << int(otherUser) << false;
}

void TestSingleInstance::runtimeFolderIsTheUsersOwn()
{
    QFETCH(int, mode);
    QFETCH(int, owner);
    QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.path());
    QVERIFY(::chmod(path.constData(), mode_t(mode)) == 0 &&
            ::chown(path.constData(), uid_t(owner), gid_t(-1)) == 0);
    qputenv("XDG_RUNTIME_DIR", path);

    QTEST(CommandChannel::userRuntimeFolder() == folder.path(), "chosen");
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
