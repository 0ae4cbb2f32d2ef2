#include "server/game/player_record.h"

#include <algorithm>

#include "protocol/fields.h"
#include "protocol/frame.h"
#include "protocol/wire.h"

namespace veld::server {

namespace {

constexpr std::size_t kRecordBytes = 35;

// Stored numbers are clamped into their wire width rather than wrapped.
std::string word(int v) {
    return wordToBytes(static_cast<std::uint32_t>(std::clamp(v, 0, 0xFFFF)));
}
char byte(int v) {
    return static_cast<char>(std::clamp(v, 0, 0xFF));
}

std::string address(const Player& p, bool show) {
    return show && p.addressBytes.size() == 4 ? p.addressBytes : std::string(4, '\0');
}

}  // namespace

std::string playerListRecord(const Player& p, bool showAddress) {
    const Account& a = p.account;
    std::string r = wordToBytes(p.uid);
    r += address(p, showAddress);
    r += padRight(a.name, 10);
    r += byte(a.rankCode);
    r += a.userType;
    r += a.playWish;
    r += p.playStatus;
    r += longToBytes(a.pxCode);
    r += word(a.wins);
    r += word(a.losses);
    r += byte(a.promotionIndex + 100);
    r += wordToBytes(p.languageId);
    r += word(a.ranking);
    r += word(a.tagNumber);
    return r;
}

std::string playerArrivedMessage(const Player& p, bool showAddress) {
    const Account& a = p.account;
    std::string m = "W1";
    m += wordToBytes(p.uid);
    m += address(p, showAddress);
    m += padRight(a.name, 10);
    m += byte(a.rankCode);
    m += a.userType;
    m += longToBytes(a.pxCode);
    m += a.playWish;
    m += word(a.wins);
    m += word(a.losses);
    m += byte(a.promotionIndex + 100);
    m += wordToBytes(p.languageId);
    m += word(a.ranking);
    m += word(a.tagNumber);
    return m;
}

std::vector<std::string> playerListMessages(const std::vector<const Player*>& players,
                                            bool showAddress, std::size_t perMessage) {
    const std::size_t fit = (kMaxMessageBytes - 2) / kRecordBytes;
    perMessage = std::clamp<std::size_t>(perMessage, 1, fit);
    std::vector<std::string> messages;
    std::size_t i = 0;
    do {
        const std::size_t end = std::min(players.size(), i + perMessage);
        std::string m = end == players.size() ? "W3" : "W2";
        for (; i < end; ++i) m += playerListRecord(*players[i], showAddress);
        messages.push_back(std::move(m));
    } while (i < players.size());
    return messages;
}

}  // namespace veld::server
