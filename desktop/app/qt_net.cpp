#include "app/qt_net.h"

#include "client/client.h"

namespace veld::desktop {

QtNet::QtNet(QObject* parent) : QObject(parent) {}

QtNet::~QtNet() {
    drop(Link::Game);
    drop(Link::Community);
}

void QtNet::drop(Link link) {
    QTcpSocket* socket = sockets_[index(link)];
    sockets_[index(link)] = nullptr;
    if (socket == nullptr) return;
    socket->disconnect(this);
    // What was sent last (the friend lists at closing) still goes out: the socket closes once
    // its buffer is written.
    socket->flush();
    if (socket->state() == QAbstractSocket::ConnectedState) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->disconnectFromHost();
        return;
    }
    socket->abort();
    socket->deleteLater();
}

void QtNet::open(Link link, const std::string& host, std::uint16_t port) {
    drop(link);
    auto* socket = new QTcpSocket(this);
    sockets_[index(link)] = socket;
    connect(socket, &QTcpSocket::connected, this, [this, link] {
        if (client_) client_->onConnected(link);
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, link, socket] {
        const QByteArray bytes = socket->readAll();
        if (client_ && sockets_[index(link)] == socket)
            client_->onData(link, std::string_view(bytes.constData(), bytes.size()));
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, link, socket] {
        if (sockets_[index(link)] != socket) return;
        drop(link);
        if (client_) client_->onDisconnected(link);
    });
    connect(socket, &QTcpSocket::errorOccurred, this,
            [this, link, socket](QAbstractSocket::SocketError error) {
                if (sockets_[index(link)] != socket) return;
                // The peer's orderly close is followed by the disconnect.
                if (error == QAbstractSocket::RemoteHostClosedError) return;
                drop(link);
                if (client_)
                    client_->onError(link, error == QAbstractSocket::HostNotFoundError
                                               ? NetError::HostNotFound
                                               : NetError::Connection);
            });
    socket->connectToHost(QString::fromStdString(host), port);
}

bool QtNet::isConnected(Link link) const {
    const QTcpSocket* socket = sockets_[index(link)];
    return socket != nullptr && socket->state() == QAbstractSocket::ConnectedState;
}

void QtNet::send(Link link, std::string_view bytes) {
    QTcpSocket* socket = sockets_[index(link)];
    if (socket == nullptr || socket->state() != QAbstractSocket::ConnectedState) return;
    socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtNet::close(Link link) {
    drop(link);
}

}  // namespace veld::desktop
