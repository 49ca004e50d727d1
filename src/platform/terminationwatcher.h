#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal on the main thread, so that a program ended from
// outside (a logout, kill, Ctrl+C in a terminal) can save before it goes; the same for the desktop
// session's request to quit, which its session manager sends when the session ends. Only one may exist
// at a time.
class TerminationWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TerminationWatcher(QObject *parent = nullptr);
    ~TerminationWatcher() override;

Q_SIGNALS:
    // signalNumber is 0 for the session's request to quit.
    void terminationRequested(int signalNumber);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static void handleSignal(int signalNumber);
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
    bool m_quitSeen = false;
};
