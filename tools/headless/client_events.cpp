#include "headless/client_events.h"

namespace veld::headless {

ClientEvents::ClientEvents(TcpNet& net, Client& client) : net_(net), client_(client) {
    net_.setEvents(this);
}

ClientEvents::~ClientEvents() {
    net_.setEvents(nullptr);
}

void ClientEvents::onConnected(Link link) {
    frames_[index(link)] = std::make_shared<ConnectionContext>();
    client_.onConnected(link);
}

void ClientEvents::onData(Link link, std::string_view bytes) {
    client_.onData(link, bytes);
    std::shared_ptr<ConnectionContext>& frames = frames_[index(link)];
    if (!observer_ || !frames) return;
    const ReadResult result = FrameReader::socketRead(
        frames, bytes, [&](std::string_view frame) { observer_(link, frame); });
    // The client has closed the link; nothing more of this stream is framed.
    if (result == ReadResult::Unframeable) frames.reset();
}

}  // namespace veld::headless
