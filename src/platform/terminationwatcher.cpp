#include "terminationwatcher.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler may only do async-signal-safe work: it writes the signal number into a socket pair, and the
// event loop reads it on the main thread.
int signalSockets[2] = {-1, -1};
constexpr int watchedSignals[] = {SIGTERM, SIGHUP, SIGINT};

} // namespace

TerminationWatcher::TerminationWatcher(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0)
        return;
    m_notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationWatcher::readSignal);

    struct sigaction action = {};
    action.sa_handler = &TerminationWatcher::handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : watchedSignals)
        sigaction(signalNumber, &action, nullptr);
    QCoreApplication::instance()->installEventFilter(this);
}

TerminationWatcher::~TerminationWatcher()
{
    for (int signalNumber : watchedSignals)
        std::signal(signalNumber, SIG_DFL);
    for (int &socket : signalSockets) {
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }
}

bool TerminationWatcher::eventFilter(QObject *watched, QEvent *event)
{
    // Seen before the application closes its windows for the quit, once: the program's own quit after a
    // termination comes this way too.
    if (event->type() == QEvent::Quit && watched == QCoreApplication::instance() && !m_quitSeen) {
        m_quitSeen = true;
        Q_EMIT terminationRequested(0);
    }
    return false;
}

void TerminationWatcher::handleSignal(int signalNumber)
{
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(signalSockets[0], &byte, 1);
}

void TerminationWatcher::readSignal()
{
    char byte = 0;
    while (::read(signalSockets[1], &byte, 1) == 1)
        Q_EMIT terminationRequested(byte);
}
