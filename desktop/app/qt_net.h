// The core's two stream connections on Qt sockets. Events go to the client on the UI thread;
// a modal box's nested event loop keeps delivering them, as the core expects.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTcpSocket>

#include "protocol/ports.h"

namespace veld {
class Client;
}

namespace veld::desktop {

class QtNet final : public QObject, public Net {
    Q_OBJECT
  public:
    explicit QtNet(QObject* parent = nullptr);
    ~QtNet() override;

    // Events go to this client from now on; null drops them.
    void setClient(Client* client) { client_ = client; }

    void open(Link link, const std::string& host, std::uint16_t port) override;
    bool isConnected(Link link) const override;
    // Qt buffers what the socket does not take at once; frames are never cut.
    void send(Link link, std::string_view bytes) override;
    void close(Link link) override;

  private:
    static int index(Link link) { return link == Link::Game ? 0 : 1; }
    // Detaches the link's socket: it reports nothing more and is deleted later.
    void drop(Link link);

    Client* client_ = nullptr;
    QPointer<QTcpSocket> sockets_[2];
};

}  // namespace veld::desktop
