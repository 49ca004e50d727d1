#include "singleinstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {

constexpr int ConnectTimeout = 500; // milliseconds
const QByteArray ActivationMessage = QByteArrayLiteral("activate\n");

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent) : QObject(parent)
{
    // The user is part of the name: another user's copy works on other files.
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8() + '\0' + QByteArray::number(::getuid()),
                                                     QCryptographicHash::Sha256);
    m_serverName = QLatin1String("tallywick-") + QString::fromLatin1(hash.toHex().left(24));
}

bool SingleInstance::claim()
{
    if (askRunningCopy())
        return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        // Another copy may have started in the meantime; if nobody answers, the socket was left behind by
        // a copy that crashed.
        if (askRunningCopy())
            return false;
        QLocalServer::removeServer(m_serverName);
        if (!m_server->listen(m_serverName))
            return true; // no guard available; running unguarded beats not running
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    return true;
}

bool SingleInstance::askRunningCopy() const
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(ConnectTimeout))
        return false;
    socket.write(ActivationMessage);
    socket.waitForBytesWritten(ConnectTimeout);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        Q_EMIT activationRequested();
    }
}
