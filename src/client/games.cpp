#include "client/games.h"

#include "client/client.h"
#include "lobby/user_fields.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/frame_fields.h"
#include "protocol/language.h"
#include "protocol/rank_code.h"
#include "protocol/wire.h"

namespace veld {

namespace {

constexpr std::size_t kFirstField = 5;
constexpr std::size_t kGameRecordLength = 10;
// Game number, gid, two uids and the terms byte: what a record needs to mean anything.
constexpr std::size_t kGameRecordCore = 9;
constexpr std::size_t kTitleUnits = 30;

}  // namespace

Games::Games(Client& client, Shell& shell, const TextTable& texts)
    : client_(client), shell_(shell), texts_(texts) {}

void Games::registerHandlers(Dispatcher& dispatcher) {
    dispatcher.add("G1",
                   [this](std::string_view frame, Link) { processG1(frameRest(frame, 5), true); });
    dispatcher.add("G2", [this](std::string_view frame, Link) { processG2(frame); });
    dispatcher.add("GM", [this](std::string_view frame, Link) { processGM(frame); });
    dispatcher.add("GK", [this](std::string_view frame, Link) { processGK(frame); });
}

void Games::processG1(std::string_view record, bool announce) {
    if (record.size() < kGameRecordCore) return;
    Players& players = client_.players();
    const UserRef black = players.findUserByuid(frameWord(record, 5));
    const UserRef white = players.findUserByuid(frameWord(record, 7));
    if (!black || !white) return;

    const std::uint16_t gid = frameWord(record, 3);
    GameRef game = list_.findGameByGID(gid);
    if (!game) {
        game = std::make_shared<Tgame>();
        game->gameNumber = frameWord(record, 1);
        game->gid = gid;
        list_.appendGame(game);
    }
    game->black = black;
    game->white = white;
    game->blackName = black->rawName;
    game->whiteName = white->rawName;
    game->blackDisplayName = black->displayName;
    game->whiteDisplayName = white->displayName;
    game->blackRank = black->rankText;
    game->whiteRank = white->rankText;
    game->blackRankValue = rankCodeToValue(black->rankCode);
    game->whiteRankValue = rankCodeToValue(white->rankCode);

    applyTermsByte(*game, frameByte(record, 9));
    if (record.size() == kGameRecordLength) game->observerCount = frameByte(record, 10);
    game->playStatus = playStatusOfKind(game->gameKind);
    game->playStatusText = translateplayStatus(game->playStatus, texts_);
    game->iconIndex = gameImageOfStatus(game->playStatus);

    if (announce && !shell_.isPageActive(Page::Topics)) announceGame(*game);
    list_.updategame(game);

    for (const UserRef& player : {black, white}) {
        player->playStatus = game->playStatus;
        player->playStatusText = translateplayStatus(player->playStatus, texts_);
        // Broadcasting players are not available for invitations.
        if (game->gameKind == "B") player->playWish = std::string("X");
    }
    players.list().updateuser(black);
    if (white != black) players.list().updateuser(white);
    showTotalgame();
}

void Games::announceGame(const Tgame& game) {
    const std::u16string time = port_ ? port_->timeOfDay() : std::u16string();
    const std::string pairing = std::string(trimSpaces(game.blackName)) + game.blackRank + "---" +
                                std::string(trimSpaces(game.whiteName)) + game.whiteRank;
    const std::string number = gameNumberText(game.gameNumber);
    shell_.showStatus(time + u"  " + big5ToWide(pairing) + u"  " + texts_.uiText(214) + u" " +
                      std::u16string(number.begin(), number.end()) + u"  " + texts_.uiText(879));
}

void Games::processG2(std::string_view frame) {
    // A record cut short by the end of the frame is no game: only whole records are read.
    for (std::size_t p = kFirstField; p + kGameRecordLength - 1 <= frame.size();
         p += kGameRecordLength)
        processG1(frameField(frame, p, kGameRecordLength), false);
    showgamelist();
    // As if "棋力" of white had been clicked, strongest first; the next click keeps +1.
    list_.sortRows(GameColumn::WhiteRank);
}

void Games::processGM(std::string_view frame) {
    std::size_t pos = kFirstField;
    while (pos < frame.size()) {
        // Only whole records are read: a header or a title cut short ends the frame.
        if (pos + 3 > frame.size()) return;
        const std::uint16_t gid = frameWord(frame, pos);
        const std::size_t length = frameWord(frame, pos + 2);
        if (pos + 3 + length > frame.size()) return;
        if (const GameRef game = list_.findGameByGID(gid)) {
            game->title = transtows(frameField(frame, pos + 4, length));
            list_.updategame(game);
        }
        pos += 4 + length;
    }
}

void Games::processGK(std::string_view frame) {
    if (frame.size() < 6) return;
    const GameRef game = list_.findGameByGID(frameWord(frame, 5));
    if (!game) return;
    if (frameField(frame, 7, 1) == "S") game->title = big5ToWide(frameRest(frame, 8));
    list_.updategame(game);
}

void Games::removegame(const GameRef& game) {
    if (!game) return;
    list_.removeGame(game);
    showTotalgame();
}

void Games::showgamelist() {
    list_.showgamelist();
    showTotalgame();
}

void Games::showTotalgame() {
    if (!port_) return;
    port_->setGameTotal(texts_.uiText(310) + u":" +
                        big5ToWide(std::to_string(list_.rows().size())));
}

void Games::setGameTitle() {
    const GameRef game = list_.selectedGame();
    if (!game || !port_) return;
    const std::optional<std::u16string> answer = port_->inputBox(texts_.uiText(117), u"", u"");
    if (!answer) return;
    std::u16string title = trimSpacesW(*answer);
    if (title.size() > kTitleUnits) title.resize(kTitleUnits);
    const std::string units = wideToUnits(title);
    client_.sendToServer("PGM" + wordToBytes(game->gid) +
                         wordToBytes(static_cast<std::uint32_t>(units.size())) + units);
}

}  // namespace veld
