#include "platform/qtmessageboxes.h"
#include "platform/singleinstance.h"
#include "support/fakemessageboxes.h"

#include <QtTest>
#include <QtWidgets>

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

// Another copy of the program, run by the user given, that listens at the list's channel: another user's
// answers "ok" to anything (only the channel's own check keeps this copy from handing over to it), this
// user's is frozen. The channel tells the user by the process that made the socket listen.
pid_t startOtherCopy(const QString &list, const QString &folder, uid_t user)
{
    const sockaddr_un address =
        addressOf(QFile::encodeName(folder + '/' + SingleInstance::channelNameFor(list)));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::bind(listener, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        qFatal("no socket");
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGPIPE, SIG_IGN); // a peer that goes without its reply must not end this copy
        becomeUser(user);
        if (::listen(listener, 4) != 0 || user == 0)
            ::pause();
        for (char request[300];;) {
            const int connection = ::accept(listener, nullptr, nullptr);
            [[maybe_unused]] const ssize_t got = ::read(connection, request, sizeof request);
            [[maybe_unused]] const ssize_t sent = ::write(connection, "ok\n", 3);
            ::close(connection);
        }
    }
    ::close(listener);
    return pid;
}

// Sends bytes as they are over a connection that the user given made, and returns all that came back
// before the channel closed it; "(kept open)" when it had not after five seconds.
QByteArray rawExchange(const QByteArray &socketPath, const QByteArray &bytes, uid_t user)
{
    const sockaddr_un address = addressOf(socketPath);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        becomeUser(user);
        ::_exit(::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0 ? 0 : 1);
    }
    int status = -1;
    ::waitpid(pid, &status, 0);
    if (status != 0)
        return "(no connection)";
    // A channel that refuses the peer may have closed the connection already.
    [[maybe_unused]] const ssize_t sent =
        ::send(socket, bytes.constData(), std::size_t(bytes.size()), MSG_NOSIGNAL);
    QByteArray received;
    char buffer[4096];
    for (pollfd readable{socket, POLLIN, 0}; ::poll(&readable, 1, 5000) > 0;) {
        const ssize_t got = ::read(socket, buffer, sizeof buffer);
        if (got <= 0)
            return received;
        received.append(buffer, got);
    }
    return received + "(kept open)";
}

} // namespace

// The adapters to the system, each against the real thing. The single-copy guard and its channel are met
// as later copies and other processes meet them. The tests run as root; another user is played by a child
// process that takes what it needs as root and then becomes uid 4242.
class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The real box, answered by a timer that clicks No once it is up. Texts carry what users typed, so
    // markup shows as typed; a text that changes while the box is open shows its new value; Yes is the
    // default button.
    void messageBoxShowsPlainTextAndFollowsIt()
    {
        const QString typed = QStringLiteral("Reset '<b>Design</b><img src=\"/tmp/x.png\">' timer?");
        ChangingText text;
        text.setText(QStringLiteral("You were away"));
        QStringList seen; // the label's text format, the text shown, and the default button
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            text.setText(typed);
            seen = {QString::number(box->findChild<QLabel *>("qt_msgbox_label")->textFormat()),
                    box->text(), box->defaultButton() == box->button(QMessageBox::Yes) ? "Yes" : "No"};
            box->button(QMessageBox::No)->click();
        });

        QCOMPARE(QtMessageBoxes().showChanging(MessageBoxStyle::YesNo | MessageBoxStyle::Question,
                                               QStringLiteral("Away"), text),
                 MessageBoxAnswer::No);
        QCOMPARE(seen, QStringList({QString::number(Qt::PlainText), typed, "Yes"}));
    }
    // The runtime folder is the user's own: not one that is open to others, nor another user's (as after
    // su). Its path here is longer than a socket address holds.
    void laterCopyHandsOver()
    {
        QTemporaryDir folder;
        const QString runtime = folder.path() + '/' + QString(150 - folder.path().size() - 1, 'r');
        const QByteArray path = QFile::encodeName(runtime);
        QVERIFY(QDir().mkdir(runtime));
        qputenv("XDG_RUNTIME_DIR", path);
        for (const auto &[mode, owner, chosen] :
             {std::tuple(0755, uid_t(0), false), {0700, otherUser, false}, {0700, uid_t(0), true}}) {
            QVERIFY(::chmod(path.constData(), mode_t(mode)) == 0 &&
                    ::chown(path.constData(), owner, gid_t(-1)) == 0);
            QCOMPARE(CommandChannel::userRuntimeFolder() == runtime, chosen);
        }
        const QString list = folder.filePath(QStringLiteral("projlist.dat"));
        FakeMessageBoxes boxes;
        const mode_t umaskBefore = ::umask(077);
        SingleInstance first(list);
        QCOMPARE(first.claim(boxes), SingleInstance::Claim::Claimed);
        ::umask(umaskBefore);
        QSignalSpy activations(&first, &SingleInstance::activationRequested);

        QCOMPARE(whileServing([&] { return SingleInstance(list).claim(boxes); }),
                 SingleInstance::Claim::HandedOver);
        QCOMPARE(activations.size(), 1);
        QVERIFY(boxes.shown.isEmpty());
        // Another user who shares the folder can take the lock, whatever the umask: their copy sees this one.
        QVERIFY(QFileInfo(list + ".lock").permissions() & QFile::ReadOther);
    }

    // clang-format off
    void otherCopiesNeverEndThisOneSilently_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("holdsLock");
        QTest::addColumn<SingleInstance::Claim>("claim");
        using C = SingleInstance::Claim;
        QTest::newRow("another user's socket, no lock") << int(otherUser) << false << C::Claimed;
        QTest::newRow("another user's copy over the list") << int(otherUser) << true << C::InUseElsewhere;
        QTest::newRow("this user's copy, frozen") << 0 << true << C::InUseElsewhere;
    }
    // clang-format on
    // Either this copy runs (and the channel is its own), or it says why not in a box that names the list.
    void otherCopiesNeverEndThisOneSilently()
    {
        QFETCH(int, user);
        QFETCH(bool, holdsLock);
        QFETCH(SingleInstance::Claim, claim);
        QTemporaryDir folder;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder.path()));
        const QString list = folder.filePath(QStringLiteral("projlist.dat"));
        SingleInstance guard(list);
        const int lock = ::open(QFile::encodeName(list + ".lock").constData(), O_RDONLY | O_CREAT, 0644);
        const pid_t other = startOtherCopy(list, folder.path(), uid_t(user));
        const auto end = qScopeGuard([=] {
            ::kill(other, SIGKILL);
            ::waitpid(other, nullptr, 0);
            ::close(lock);
        });
        QVERIFY(!holdsLock || ::flock(lock, LOCK_EX) == 0);

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

    void channelAnswersOneShortLineOfThisUserOnly_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<int>("user");
        QTest::addColumn<QByteArray>("reply"); // empty: closed without one
        QTest::newRow("request") << QByteArray("status\n") << 0 << QByteArray("status?\n");
        QTest::newRow("another user's request") << QByteArray("status\n") << int(otherUser) << QByteArray();
        QTest::newRow("longer than 256 bytes") << QByteArray(300, 's') + '\n' << 0 << QByteArray();
        QTest::newRow("two lines") << QByteArray("status\nstatus\n") << 0 << QByteArray();
        QTest::newRow("no line end, then silence") << QByteArray("status") << 0 << QByteArray();
    }
    void channelAnswersOneShortLineOfThisUserOnly()
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
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
