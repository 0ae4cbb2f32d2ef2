#include "server/game/game_registry.h"

#include <algorithm>

#include "protocol/codepage.h"
#include "protocol/frame.h"
#include "protocol/wire.h"

namespace veld::server {

namespace {

constexpr std::uint16_t kLastGameNumber = 9999;

// Packs the parts into messages of `code` + as many whole parts as fit one frame; a message
// holds at least one part.
std::vector<std::string> packParts(std::string_view code, const std::vector<std::string>& parts) {
    std::vector<std::string> messages;
    std::string message(code);
    for (const std::string& part : parts) {
        if (message.size() > code.size() && message.size() + part.size() > kMaxMessageBytes) {
            messages.push_back(std::move(message));
            message = std::string(code);
        }
        message += part;
    }
    if (message.size() > code.size()) messages.push_back(std::move(message));
    return messages;
}

// A title longer than the limit (set other than through setTitle) is cut, never sent whole.
std::u16string_view shownTitle(const GameEntry& game) {
    return std::u16string_view(game.title).substr(0, kMaxGameTitleUnits);
}

}  // namespace

GameEntry* GameRegistry::start(std::uint16_t blackUid, std::uint16_t whiteUid, std::uint8_t terms) {
    if (games_.size() >= 0xFFFF) return nullptr;
    std::uint16_t gid = lastGid_;
    do {
        ++gid;  // wraps past 65535 to 0, which is skipped
    } while (gid == 0 || games_.contains(gid));
    lastGid_ = gid;
    lastNumber_ = lastNumber_ >= kLastGameNumber ? 1 : lastNumber_ + 1;

    GameEntry& game = games_[gid];
    game.gid = gid;
    game.number = lastNumber_;
    game.blackUid = blackUid;
    game.whiteUid = whiteUid;
    game.terms = terms;
    return &game;
}

GameEntry* GameRegistry::find(std::uint16_t gid) {
    const auto it = games_.find(gid);
    return it == games_.end() ? nullptr : &it->second;
}

bool GameRegistry::end(std::uint16_t gid) {
    return games_.erase(gid) > 0;
}

bool GameRegistry::setTitle(std::uint16_t gid, std::u16string title) {
    GameEntry* game = find(gid);
    if (!game) return false;
    if (title.size() > kMaxGameTitleUnits) title.resize(kMaxGameTitleUnits);
    game->title = std::move(title);
    return true;
}

std::string gameListRecord(const GameEntry& game) {
    std::string r = wordToBytes(game.number);
    r += wordToBytes(game.gid);
    r += wordToBytes(game.blackUid);
    r += wordToBytes(game.whiteUid);
    r += static_cast<char>(game.terms);
    r += static_cast<char>(std::min<std::size_t>(game.observerCount, 0xFF));
    return r;
}

std::string gameChangedMessage(const GameEntry& game) {
    return "G1" + gameListRecord(game);
}

std::vector<std::string> gameListMessages(const std::vector<const GameEntry*>& games) {
    std::vector<std::string> records;
    records.reserve(games.size());
    for (const GameEntry* game : games) records.push_back(gameListRecord(*game));
    std::vector<std::string> messages = packParts("G2", records);
    if (messages.empty()) messages.emplace_back("G2");
    return messages;
}

std::vector<std::string> gameTitleListMessages(const std::vector<const GameEntry*>& games) {
    std::vector<std::string> parts;
    for (const GameEntry* game : games) {
        if (game->title.empty()) continue;
        const std::string units = wideToUnits(shownTitle(*game));
        parts.push_back(wordToBytes(game->gid) +
                        wordToBytes(static_cast<std::uint32_t>(units.size())) + units);
    }
    return packParts("GM", parts);
}

std::string gameTitleMessage(const GameEntry& game) {
    return "GK" + wordToBytes(game.gid) + "S" + wideToBig5(shownTitle(game));
}

}  // namespace veld::server
