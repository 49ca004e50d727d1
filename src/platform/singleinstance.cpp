#include "singleinstance.h"

#include "platform/messageboxes.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray activate = QByteArrayLiteral("activate");
const QByteArray activated = QByteArrayLiteral("ok");

} // namespace

SingleInstance::SingleInstance(const QString &projectListPath, const QString &runtimeFolder, QObject *parent)
    : QObject(parent), m_projectListPath(projectListPath),
      m_lockPath(projectListPath + QLatin1String(".lock")), m_runtimeFolder(runtimeFolder),
      m_channelName(channelNameFor(projectListPath))
{}

QString SingleInstance::channelNameFor(const QString &projectListPath)
{
    // Named after the list, so that copies over other lists (portable copies elsewhere) run side by side;
    // the same list reached through a link is the same list.
    const QFileInfo list(projectListPath);
    QString folder = list.absoluteDir().canonicalPath();
    if (folder.isEmpty())
        folder = list.absolutePath();
    const QByteArray hash = QCryptographicHash::hash(
        QFile::encodeName(folder + QLatin1Char('/') + list.fileName()), QCryptographicHash::Sha256);
    return QLatin1String("tallywick-") + QString::fromLatin1(hash.toHex().left(24));
}

SingleInstance::~SingleInstance()
{
    // The socket goes before the lock, so that a copy that takes the lock finds no socket of ours.
    delete m_channel;
    if (m_lock >= 0)
        ::close(m_lock);
}

SingleInstance::Claim SingleInstance::claim(MessageBoxes &messageBoxes, const QByteArray &request,
                                            QByteArray *reply)
{
    // Any answer means a copy took the request.
    const auto handedOver = [this, &request, reply] {
        const std::optional<QByteArray> answer = ask(request);
        if (answer && reply)
            *reply = *answer;
        return answer.has_value();
    };
    Lock lock = takeLock();
    if (lock == Lock::Unavailable) {
        // A folder that takes no new file, say: the channel still keeps this user's copies apart.
        if (handedOver())
            return Claim::HandedOver;
        qWarning("Could not lock %s (%s): a copy run by another user could use the same project list.",
                 qPrintable(m_lockPath), qPrintable(m_lockProblem));
    }
    // The copy that holds the lock may be starting and not listen yet, or be ending: it is asked again for
    // a moment, and the lock tried again, before this copy gives up.
    const QDeadlineTimer patience(PatienceMs);
    while (lock == Lock::Held) {
        if (handedOver())
            return Claim::HandedOver;
        if (patience.hasExpired()) {
            messageBoxes.show(
                MessageBoxStyle::Exclamation, QStringLiteral("Tallywick"),
                QStringLiteral("Another copy of Tallywick is using the project list\r\n%1\r\n"
                               "and could not be brought to the front: it may run for another "
                               "user or on another computer, or not respond. This copy ends now.")
                    .arg(m_projectListPath));
            return Claim::InUseElsewhere;
        }
        QThread::msleep(100);
        lock = takeLock();
    }
    m_channel = new CommandChannel([this](const QByteArray &request) { return answer(request); }, this);
    if (m_runtimeFolder.isEmpty() || !m_channel->listen(m_runtimeFolder, m_channelName))
        qWarning("No channel in the runtime folder \"%s\": a later copy cannot bring this one to the front.",
                 qPrintable(m_runtimeFolder));
    return Claim::Claimed;
}

std::optional<QByteArray> SingleInstance::ask(const QByteArray &request, int timeoutMs) const
{
    if (m_runtimeFolder.isEmpty())
        return std::nullopt;
    return CommandChannel::send(m_runtimeFolder, m_channelName, request, timeoutMs);
}

void SingleInstance::setRequestHandler(CommandChannel::Handler handler)
{
    m_requestHandler = std::move(handler);
}

// flock rather than a file that holds a process number: the system lets go of it when the copy ends, a
// kill -9 and a crash included, so nothing stale is left to judge.
SingleInstance::Lock SingleInstance::takeLock()
{
    // Not following a link, and not waiting on a pipe that someone put there.
    const int lock = ::open(QFile::encodeName(m_lockPath).constData(),
                            O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (lock < 0) {
        m_lockProblem = QString::fromLocal8Bit(std::strerror(errno));
        return Lock::Unavailable;
    }
    struct stat file
    {};
    if (::fstat(lock, &file) != 0 || !S_ISREG(file.st_mode)) {
        ::close(lock);
        m_lockProblem = QStringLiteral("not a plain file");
        return Lock::Unavailable;
    }
    // Readable by every user who shares the folder, whatever the umask: their copies over the same list
    // must be able to see this one's lock.
    const mode_t readable = S_IRUSR | S_IRGRP | S_IROTH;
    if (file.st_uid == ::geteuid() && (file.st_mode & readable) != readable)
        (void)::fchmod(lock, file.st_mode | readable);
    if (::flock(lock, LOCK_EX | LOCK_NB) == 0) {
        m_lock = lock;
        return Lock::Taken;
    }
    const int error = errno;
    ::close(lock);
    if (error == EWOULDBLOCK)
        return Lock::Held;
    m_lockProblem = QString::fromLocal8Bit(std::strerror(error));
    return Lock::Unavailable;
}

QByteArray SingleInstance::answer(const QByteArray &request)
{
    if (request == activate) {
        Q_EMIT activationRequested();
        return activated;
    }
    return m_requestHandler ? m_requestHandler(request) : QByteArrayLiteral("unknown");
}
