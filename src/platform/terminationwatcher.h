#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal on the main thread, so that a program ended from
// outside (a logout, kill, Ctrl+C in a terminal) can save before it goes. Only one may exist at a time.
class TerminationWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TerminationWatcher(QObject *parent = nullptr);
    ~TerminationWatcher() override;

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    static void handleSignal(int signalNumber);
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};
