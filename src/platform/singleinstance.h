#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// Keeps a second copy of the program from running over the same project list: the second copy would
// overwrite the first one's totals at exit. The first copy listens on a local socket; a later one asks it
// to come to the front and then ends. Plain POSIX sockets: QtNetwork and the libraries it pulls in would
// add a tenth to the program's start-up for one socket.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // key names what is shared, the project list's path for instance.
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only copy; otherwise the running copy has been asked to come forward.
    bool claim();

    QString serverName() const { return m_serverName; }

Q_SIGNALS:
    void activationRequested();

private:
    bool askRunningCopy() const;
    bool listen();
    void acceptConnections();

    QString m_serverName;
    QByteArray m_socketPath;
    int m_listener = -1;
    QSocketNotifier *m_notifier = nullptr;
};
