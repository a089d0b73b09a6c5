#include "InstanceChannel.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <utility>

namespace {

// One short line each way: a copy of any later version that does not know a request ignores it.
constexpr char OpenRequest[] = "open\n";
constexpr char Answer[] = "ok\n";

} // namespace

InstanceChannel::InstanceChannel(QString name, QObject* parent)
    : QObject(parent), m_name(std::move(name)), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::Serve);
}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::Listen()
{
    // Only the holder of the lock listens, so a socket of this name is a dead copy's.
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void InstanceChannel::Serve()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine(64) == OpenRequest) {
                    socket->write(Answer);
                    Q_EMIT OpenRequested();
                }
            }
            // A peer that sends more than a request line without ending it is not listened to.
            if (socket->bytesAvailable() > 64) {
                socket->abort();
            }
        });
    }
}

bool InstanceChannel::RequestOpen(const QString& name, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(OpenRequest);
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            return false;
        }
    }
    return socket.readLine(64) == Answer;
}
