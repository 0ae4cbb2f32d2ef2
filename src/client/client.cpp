#include "client/client.h"

#include "client/session_settings.h"
#include "protocol/wire.h"

namespace veld {

Client::Client(Net& net, Dialogs& dialogs, Shell& shell, SettingsStore& settings,
               const TextTable& texts)
    : Client(net, dialogs, shell, &settings, texts) {}

Client::Client(Net& net, Dialogs& dialogs, Shell& shell, const TextTable& texts)
    : Client(net, dialogs, shell, nullptr, texts) {}

Client::Client(Net& net, Dialogs& dialogs, Shell& shell, SettingsStore* settings,
               const TextTable& texts)
    : net_(net),
      dialogs_(dialogs),
      ownSettings_(settings ? nullptr : std::make_unique<SessionSettings>()),
      settings_(settings ? *settings : *ownSettings_),
      texts_(texts),
      dispatcher_(dialogs),
      systemNotices_(dialogs, shell, texts),
      login_(*this, net, dialogs, shell, settings_, texts, myRecord_),
      gameServers_(*this, net, dialogs, shell, texts, myRecord_),
      players_(*this, dialogs, shell, texts, myRecord_),
      games_(*this, shell, texts),
      friends_(*this, net, dialogs, texts, myRecord_),
      peerMessages_(*this, dialogs, myRecord_) {
    systemNotices_.registerHandlers(dispatcher_);
    login_.registerHandlers(dispatcher_);
    gameServers_.registerHandlers(dispatcher_);
    players_.registerHandlers(dispatcher_);
    games_.registerHandlers(dispatcher_);
    friends_.registerHandlers(dispatcher_);
    peerMessages_.registerHandlers(dispatcher_);
    players_.setGameOfPlayer(
        [this](const std::string& rawName) { return games_.findGameByName(rawName) != nullptr; });
}

void Client::onConnected(Link link) {
    if (link == Link::Community) login_.comclientSocketConnect();
    ConnectionContext* ctx = context(link);
    if (ctx == nullptr || ctx->pendingText.empty()) return;
    const std::string text = std::move(ctx->pendingText);
    ctx->pendingText.clear();
    sendMsg(text, link);
}

void Client::onData(Link link, std::string_view bytes) {
    std::shared_ptr<ConnectionContext>& slot = contexts_[index(link)];
    if (!slot) slot = std::make_shared<ConnectionContext>();
    const ReadResult result = FrameReader::socketRead(
        slot, bytes, [&](std::string_view frame) { dispatcher_.processCommand(frame, link); });
    if (result == ReadResult::Unframeable) {
        // The peer broke the framing: nothing later on this stream can be trusted.
        net_.close(link);
        onDisconnected(link);
    }
}

void Client::onError(Link link, NetError error) {
    if (link == Link::Community)
        login_.comclientSocketError(error);
    else
        gameServers_.goclientsocketError();
}

void Client::onDisconnected(Link link) {
    // The community link has no reaction of its own: the next request reconnects.
    if (link == Link::Game) gameServers_.goclientsocketDisconnect();
    for (const auto& listener : disconnectListeners_) listener(link);
}

void Client::addDisconnectListener(std::function<void(Link)> listener) {
    disconnectListeners_.push_back(std::move(listener));
}

std::shared_ptr<ConnectionContext> Client::newContext(Link link, std::string pendingText) {
    auto ctx = std::make_shared<ConnectionContext>();
    ctx->pendingText = std::move(pendingText);
    contexts_[index(link)] = ctx;
    return ctx;
}

bool Client::refuseOversized(std::string_view text) {
    if (text.size() <= kMaxMessageBytes) return false;
    dialogs_.showWarning(u"訊息過長（超過 65533 位元組），未送出。");
    return true;
}

bool Client::sendMsg(std::string_view text, Link link) {
    if (!net_.isConnected(link)) return false;
    if (refuseOversized(text)) return false;
    net_.send(link, packFrame(text));
    return true;
}

void Client::sendToServer(std::string_view text) {
    sendMsg(text, Link::Game);
}

void Client::sendToCom(std::string_view text) {
    if (net_.isConnected(Link::Community)) {
        sendMsg(text, Link::Community);
        return;
    }
    if (refuseOversized(text)) return;
    newContext(Link::Community, std::string(text));
    connectToCom(3);
}

void Client::ptop(std::uint16_t addressee, std::uint16_t sender, std::string_view body) {
    std::string text = "PP" + wordToBytes(addressee) + wordToBytes(sender);
    text += body;
    sendToServer(text);
}

void Client::ptoa(std::uint16_t sender, std::string_view body) {
    std::string text = "BB" + wordToBytes(sender);
    text += body;
    sendToServer(text);
}

}  // namespace veld
