#include "client/peer_messages.h"

#include <stdexcept>

#include "client/client.h"
#include "protocol/frame_fields.h"
#include "protocol/wire.h"

namespace veld {

namespace {

constexpr std::size_t kMaxSoundNameBytes = 64;
constexpr int kWarningRepeats = 3;

std::uint16_t key(std::string_view code) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(code[0]) << 8 |
                                      static_cast<unsigned char>(code[1]));
}

}  // namespace

bool isPlainSoundName(std::string_view name) {
    if (name.empty() || name.size() > kMaxSoundNameBytes) return false;
    for (const char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!plain) return false;
    }
    return true;
}

PeerMessages::PeerMessages(Client& client, Dialogs& dialogs, OwnRecord& myRecord)
    : client_(client), dialogs_(dialogs), myRecord_(myRecord) {}

void PeerMessages::registerHandlers(Dispatcher& dispatcher) {
    dispatcher.add("PP", [this](std::string_view frame, Link) { processPP(frame); });
    route("FM", [this](const PeerMessage& m) { processFM(m); });
    route("FF", [this](const PeerMessage& m) { client_.friends().processFF(m.sender); });
    route("VS", [this](const PeerMessage& m) { processVS(m); });
    route("P6", [this](const PeerMessage& m) { processP6(m); });
    route("P7", [this](const PeerMessage& m) { processP7(m); });
    route("P8", [this](const PeerMessage& m) { processP8(m); });
    route("SW", [this](const PeerMessage& m) { processSW(m); });
}

void PeerMessages::route(std::string_view subCode, Handler handler) {
    if (subCode.size() != 2) throw std::logic_error("peer sub-codes have two characters");
    if (!routes_.emplace(key(subCode), std::move(handler)).second)
        throw std::logic_error("peer sub-code routed twice: " + std::string(subCode));
}

bool PeerMessages::routes(std::string_view subCode) const {
    return subCode.size() == 2 && routes_.contains(key(subCode));
}

void PeerMessages::processPP(std::string_view frame) {
    const std::string_view subCode = frameField(frame, 9, 2);
    if (subCode.size() != 2) return;
    const auto route = routes_.find(key(subCode));
    if (route == routes_.end()) return;
    const Players& players = client_.players();
    PeerMessage message{players.findUserByuid(frameWord(frame, 5)),
                        players.findUserByuid(frameWord(frame, 7)), subCode, frameRest(frame, 11)};
    if (!message.addressee || !message.sender) return;
    // A copy: a handler that routes a sub-code while it runs must not pull itself away.
    const Handler handler = route->second;
    handler(message);
}

void PeerMessages::processFM(const PeerMessage& m) {
    dialogs_.showInformation(m.sender->displayName + unitsToWide(m.body));
}

void PeerMessages::processP6(const PeerMessage& m) {
    client_.ptop(m.sender->uid, myRecord_.uid, "P7" + wordToBytes(kVersion));
}

void PeerMessages::processP7(const PeerMessage& m) {
    if (m.body.size() < 2) return;
    const std::string number = std::to_string(bytesToWord(m.body));
    dialogs_.showMessage(u"Version = " + std::u16string(number.begin(), number.end()));
}

void PeerMessages::processP8(const PeerMessage& m) {
    // A "P8" without a body asks; one with the version answers. Only a question is answered,
    // so two clients never keep answering each other's answers.
    if (!m.body.empty()) return;
    client_.ptop(m.sender->uid, myRecord_.uid, "P8" + wordToBytes(kVersion));
}

void PeerMessages::processSW(const PeerMessage& m) {
    const std::u16string text = unitsToWide(m.body);
    for (int i = 0; i < kWarningRepeats; ++i) dialogs_.showWarning(text);
}

void PeerMessages::processVS(const PeerMessage& m) {
    // The body names a file the receiver opens: only plain names of the sound folder play.
    if (!port_ || !isPlainSoundName(m.body)) return;
    port_->playSound(std::string(m.body) + ".wav");
}

}  // namespace veld
