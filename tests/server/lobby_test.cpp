// The lobby of a game server: the game list a joining player gets after the player list, the
// game and title changes and rank changes told to every player, and whose name a peer message
// may carry.
#include <gtest/gtest.h>

#include "game_service_fixture.h"
#include "protocol/codepage.h"

namespace veld::server::testing {
namespace {

std::string record(std::uint16_t number, std::uint16_t gid, std::uint16_t black,
                   std::uint16_t white, char terms, char observers) {
    return wordToBytes(number) + wordToBytes(gid) + wordToBytes(black) + wordToBytes(white) +
           terms + observers;
}

std::vector<std::string> codes(const RecordingLink& link) {
    std::vector<std::string> out;
    for (const std::string& m : link.sent) out.push_back(m.substr(0, 2));
    return out;
}

using Lobby = GameServiceFixture;

TEST_F(Lobby, EmptyGameListFollowsThePlayerList) {
    const Joined a = join("alice", true);
    EXPECT_EQ(codes(*a.link), (std::vector<std::string>{"OK", "W3", "G2"}));
    EXPECT_EQ(a.link->sent.back(), "G2");
}

TEST_F(Lobby, RunningGamesAndTheirTitlesFollowThePlayerList) {
    const Joined a = join("alice"), b = join("bob");
    const char ordinaryPublic = 0x05, teaching = 0x06;
    GameEntry* first = service_->games().start(a.uid, b.uid, ordinaryPublic);
    ASSERT_TRUE(first);
    first->observerCount = 300;  // sent capped at 255
    GameEntry* room = service_->games().start(b.uid, b.uid, teaching);
    ASSERT_TRUE(room);
    ASSERT_TRUE(service_->games().setTitle(room->gid, u"名局"));

    const Joined c = join("carol", true);
    EXPECT_EQ(codes(*c.link), (std::vector<std::string>{"OK", "W3", "G2", "GM"}));
    EXPECT_EQ(c.link->with("G2").at(0),
              "G2" + record(1, first->gid, a.uid, b.uid, ordinaryPublic, '\xFF') +
                  record(2, room->gid, b.uid, b.uid, teaching, 0));
    // Only the titled game is listed.
    EXPECT_EQ(c.link->with("GM").at(0),
              "GM" + wordToBytes(room->gid) + wordToBytes(4) + wideToUnits(u"名局"));
}

TEST_F(Lobby, GameChangesAndTitlesReachEveryPlayer) {
    const Joined a = join("alice"), b = join("bob"), c = join("carol");
    GameEntry* game = service_->games().start(a.uid, b.uid, 0x04);
    ASSERT_TRUE(game);
    ASSERT_TRUE(service_->games().setTitle(game->gid, std::u16string(40, u'棋')));
    EXPECT_EQ(game->title.size(), kMaxGameTitleUnits);
    for (const Joined* p : {&a, &b}) p->link->sent.clear();  // the later arrivals' "W1"

    service_->announceGame(*game);
    service_->announceTitles(service_->gameList());
    service_->announceTitle(*game);
    const std::vector<std::string> expected{
        "G1" + record(game->number, game->gid, a.uid, b.uid, 0x04, 0),
        "GM" + wordToBytes(game->gid) + wordToBytes(60) + wideToUnits(game->title),
        "GK" + wordToBytes(game->gid) + "S" + wideToBig5(game->title),
    };
    for (const Joined* p : {&a, &b, &c})
        EXPECT_EQ(std::vector<std::string>(p->link->sent.begin(), p->link->sent.end()), expected);
}

TEST(GameList, LongListsAreSplitIntoWholeRecordsPerFrame) {
    GameRegistry registry;
    for (int i = 0; i < 7000; ++i) {
        GameEntry* g = registry.start(1, 2, 0x04);
        ASSERT_TRUE(g);
        g->title = u"a title of many units, thirty!";
    }
    std::vector<const GameEntry*> games;
    for (const auto& [gid, game] : registry.games()) games.push_back(&game);

    struct Case {
        const char* code;
        std::vector<std::string> messages;
        std::size_t partBytes;
        std::size_t gidOffset;
    };
    const Case cases[] = {
        {"G2", gameListMessages(games), 10, 2},
        {"GM", gameTitleListMessages(games), 4 + 60, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ASSERT_GT(c.messages.size(), 1u);
        std::string parts;
        for (const std::string& m : c.messages) {
            EXPECT_LE(m.size(), kMaxMessageBytes);
            EXPECT_EQ(m.substr(0, 2), c.code);
            EXPECT_EQ((m.size() - 2) % c.partBytes, 0u);
            parts += m.substr(2);
        }
        EXPECT_EQ(parts.size(), games.size() * c.partBytes);
        // The last game is last: nothing was dropped or reordered at a frame boundary.
        EXPECT_EQ(bytesToWord(parts.substr(parts.size() - c.partBytes + c.gidOffset, 2)),
                  games.back()->gid);
    }
}

TEST(GameList, GidsAreNotReusedAtOnceAndNumbersWrapToOne) {
    GameRegistry registry;
    const std::uint16_t first = registry.start(1, 2, 0)->gid;
    ASSERT_TRUE(registry.end(first));
    EXPECT_FALSE(registry.end(first));
    EXPECT_NE(registry.start(1, 2, 0)->gid, first);
    for (int i = 3; i < 9999; ++i) registry.start(1, 2, 0);
    EXPECT_EQ(registry.start(1, 2, 0)->number, 9999);
    EXPECT_EQ(registry.start(1, 2, 0)->number, 1);
    EXPECT_FALSE(registry.setTitle(first, u"gone"));
}

TEST_F(Lobby, RankChangeIsStoredThenToldToEveryoneThePlayerIncluded) {
    const Joined a = join("alice"), b = join("bob");
    ASSERT_TRUE(service_->changeRank(a.uid, 126));
    const std::string vv = "VV" + wordToBytes(a.uid) + "\x7E";
    EXPECT_EQ(a.link->with("VV"), std::vector{vv});
    EXPECT_EQ(b.link->with("VV"), std::vector{vv});
    EXPECT_EQ(storage_->findAccount("alice")->rankCode, 126);
    // The session's record changed too: a later arrival lists the new rank.
    const Joined c = join("carol", true);
    const std::string list = c.link->with("W3").at(0);
    EXPECT_EQ(bytesToWord(list.substr(2, 2)), a.uid);
    EXPECT_EQ(list[2 + 16], '\x7E');

    for (const auto& [uid, code] : {std::pair{std::uint16_t{999}, 26}, {a.uid, 256}, {a.uid, -1}}) {
        EXPECT_FALSE(service_->changeRank(uid, code)) << uid << " " << code;
    }
    EXPECT_EQ(a.link->with("VV").size(), 1u);
    EXPECT_EQ(storage_->findAccount("alice")->rankCode, 126);
}

TEST_F(Lobby, AWillingnessIsStoredAndRelayedOnlyForTheSendersOwnRecord) {
    const Joined a = join("alice"), b = join("bob");
    const std::string mine = "PC3" + wordToBytes(a.uid) + "X";
    a.handler->onBytes(packFrame(mine));
    EXPECT_EQ(a.link->with("PC"), std::vector{mine});
    EXPECT_EQ(b.link->with("PC"), std::vector{mine});
    EXPECT_EQ(storage_->findAccount("alice")->playWish, 'X');

    // In bob's name, an unknown marker, a cut message: nothing is stored or told.
    for (const std::string& refused :
         {"PC3" + wordToBytes(b.uid) + "%", "PC3" + wordToBytes(a.uid) + "Q",
          "PC3" + wordToBytes(a.uid)}) {
        a.handler->onBytes(packFrame(refused));
    }
    EXPECT_EQ(b.link->with("PC").size(), 1u);
    EXPECT_EQ(storage_->findAccount("bob")->playWish, 'O');
    EXPECT_EQ(storage_->findAccount("alice")->playWish, 'X');
}

TEST_F(Lobby, JoinListsTheStoredPlayerRecord) {
    const Joined a = join("alice", true, [](Account& acc) {
        acc.rankCode = 28;
        acc.playWish = '%';
        acc.pxCode = 0x3084B;
        acc.wins = 3;
        acc.losses = 1;
        acc.promotionIndex = -2;
        acc.ranking = 17;
    });
    const std::string list = a.link->with("W3").at(0);
    const std::string expected = wordToBytes(a.uid) + std::string(4, '\0') + padRight("alice", 10) +
                                 "\x1C" + "N" + "%" + "N" + longToBytes(0x3084B) + wordToBytes(3) +
                                 wordToBytes(1) + "\x62" + wordToBytes(1028) + wordToBytes(17) +
                                 wordToBytes(0);
    EXPECT_EQ(list, "W3" + expected);
}

// A game between black and white, watched by nobody yet; `asker` wants to observe it and
// `outsider` has nothing to do with it.
struct PermissionCase {
    const char* what;
    const char* from;      // who sends
    const char* to;        // addressee
    const char* inNameOf;  // sender field
    std::string body;      // after "OK" ("" = the game's gid)
    bool delivered;
};

TEST_F(Lobby, OnlyThePlayersOfAGameMayPassObservationPermissionInTheAskersName) {
    std::map<std::string, Joined> p;
    for (const char* name : {"black", "white", "asker", "outsider"}) p[name] = join(name);
    const GameEntry* game = service_->games().start(p["black"].uid, p["white"].uid, 0x04);
    ASSERT_TRUE(game);
    const std::string gid = wordToBytes(game->gid);

    const PermissionCase cases[] = {
        {"black asks white for the asker", "black", "white", "asker", gid, true},
        {"white grants the asker", "white", "asker", "asker", gid, true},
        {"the asker asks black himself, naming white", "asker", "black", "asker",
         gid + wordToBytes(p["white"].uid), true},
        {"an outsider asks in the asker's name", "outsider", "white", "asker", gid, false},
        {"an outsider grants in the asker's name", "outsider", "asker", "asker", gid, false},
        {"black passes it on to a third player", "black", "outsider", "asker", gid, false},
        {"black names a further player to ask", "black", "white", "asker",
         gid + wordToBytes(p["outsider"].uid), false},
        {"black names a game that does not run", "black", "white", "asker", wordToBytes(999),
         false},
    };
    for (const PermissionCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string message =
            "PP" + wordToBytes(p[c.to].uid) + wordToBytes(p[c.inNameOf].uid) + "OK" + c.body;
        p[c.from].handler->onBytes(packFrame(message));
        const auto got = p[c.to].link->with("PP");
        EXPECT_EQ(got, c.delivered ? std::vector{message} : std::vector<std::string>{});
        p[c.to].link->sent.clear();
    }
    // Any other sub-code in another's name stays refused, even from a player of the game.
    p["black"].handler->onBytes(
        packFrame("PP" + wordToBytes(p["white"].uid) + wordToBytes(p["asker"].uid) + "FM" + gid));
    EXPECT_TRUE(p["white"].link->with("PP").empty());
    EXPECT_TRUE(p["black"].link->isOpen()) << "a refused relay is dropped, not punished";
}

}  // namespace
}  // namespace veld::server::testing
