#include "platform/terminationwatcher.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

namespace {

// Keeps the application from acting on a Quit event: the test has no event loop to end.
class QuitEater : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Quit; }
};

} // namespace

// Every way the program is asked to end from outside arrives as one signal on the main thread.
class TestTerminationWatcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalsAndTheSessionsQuitArrive()
    {
        QuitEater eater;
        QCoreApplication::instance()->installEventFilter(&eater); // called after the watcher's filter
        TerminationWatcher watcher;
        QSignalSpy requests(&watcher, &TerminationWatcher::terminationRequested);
        std::raise(SIGTERM);
        QTRY_COMPARE(requests.size(), 1);
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0][0].toInt(), SIGTERM);
        QCOMPARE(requests[1][0].toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTerminationWatcher)
#include "tst_terminationwatcher.moc"
