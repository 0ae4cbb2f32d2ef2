// The game-list messages against a joined client: the list they build, the players' records
// they change, the titles and the game total.
#include <gtest/gtest.h>

#include "client/lobby_harness.h"
#include "protocol/codepage.h"

namespace veld {
namespace {

using testing::LobbyHarness;
using testing::PlayerWire;

constexpr std::uint8_t kPlayed = 2 << 1, kBroadcast = 1 << 1, kTeaching = 3 << 1;

// A 10-byte game record; `cut` bytes are taken off its end.
std::string gameRecord(std::uint16_t number, std::uint16_t gid, std::uint16_t black,
                       std::uint16_t white, std::uint8_t terms = kPlayed,
                       std::uint8_t observers = 0, std::size_t cut = 0) {
    const std::string r = wordToBytes(number) + wordToBytes(gid) + wordToBytes(black) +
                          wordToBytes(white) + std::string(1, static_cast<char>(terms)) +
                          std::string(1, static_cast<char>(observers));
    return r.substr(0, r.size() - cut);
}

std::string titleRecord(std::uint16_t gid, std::u16string_view title) {
    const std::string units = wideToUnits(title);
    return wordToBytes(gid) + wordToBytes(static_cast<std::uint32_t>(units.size())) + units;
}

struct GamesHarness : LobbyHarness {
    GamesHarness() { client.games().setPort(&port); }

    Games& games() { return client.games(); }

    // The lobby with the own player "abc" (uid 7, 1d) and kim (1, 1p), lee (2, 6k), park (3, 5d).
    void enterLobby() {
        joinServer();
        std::string w3 = "W3" + me().record();
        for (const auto& [uid, name, rank] :
             {std::tuple{1, "kim", 35}, std::tuple{2, "lee", 20}, std::tuple{3, "park", 30}}) {
            PlayerWire w;
            w.uid = static_cast<std::uint16_t>(uid);
            w.name = name;
            w.rankCode = static_cast<std::uint8_t>(rank);
            w3 += w.record();
        }
        receive(Link::Game, w3);
    }
    std::vector<std::uint16_t> rowGids() {
        std::vector<std::uint16_t> gids;
        for (const auto& g : games().list().rows()) gids.push_back(g->gid);
        return gids;
    }
    UserRef player(std::uint16_t uid) { return players().findUserByuid(uid); }
    std::u16string playerCell(std::uint16_t uid, PlayerColumn column) {
        return players().list().cellText(players().list().findlistviewindex(player(uid).get()),
                                         column);
    }
};

struct GamesTest : ::testing::Test, GamesHarness {};

TEST_F(GamesTest, G2SnapshotThenG1Changes) {
    enterLobby();
    receive(Link::Game, "G2" + gameRecord(7, 10, 1, 2, kPlayed, 3) +
                            gameRecord(12345, 11, 3, 7, kPlayed | 1, 0) +
                            gameRecord(8, 12, 99, 1) +  // names an unknown player: dropped
                            gameRecord(9, 14, 1, 3).substr(0, 6));  // cut short: no game

    // Sorted by white's rank, strongest first (the own 1d before lee's 6k).
    EXPECT_EQ(rowGids(), (std::vector<std::uint16_t>{11, 10}));
    EXPECT_EQ(games().list().gameSortDirection(), 1);
    EXPECT_EQ(port.gameTotal, row(310) + u":2");
    EXPECT_EQ(shell.status, u"") << "a snapshot announces nothing";
    const GameRef first = games().findGameByGID(10);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->blackName, "kim       ");
    EXPECT_EQ(first->whiteRank, "6k");
    EXPECT_EQ(first->observerCount, 3);
    EXPECT_EQ(games().list().cellText(0, GameColumn::Number), u"1234");
    EXPECT_EQ(games().list().cellText(1, GameColumn::Black), u"kim");
    EXPECT_EQ(games().list().cellText(1, GameColumn::BlackRank), u"1p  ");
    EXPECT_EQ(games().findGameByGID(11)->publicGame, 1);

    // A change of a known game: new players and terms; number, title and place stay; a 9-byte
    // record keeps the observer count.
    receive(Link::Game, "GK" + wordToBytes(10) + "S" + "round 1");
    receive(Link::Game, "G1" + gameRecord(99, 10, 3, 1, (2 << 3) | kPlayed, 0, 1));
    EXPECT_EQ(games().findGameByGID(10), first);
    EXPECT_EQ(first->gameNumber, 7);
    EXPECT_EQ(first->title, u"round 1");
    EXPECT_EQ(first->observerCount, 3);
    EXPECT_EQ(first->handicap, 2);
    EXPECT_EQ(first->black, player(3));
    EXPECT_EQ(first->whiteDisplayName, u"kim");
    EXPECT_EQ(rowGids(), (std::vector<std::uint16_t>{11, 10}));
    EXPECT_EQ(shell.status, u"12:00:00  park5d---kim1p  " + row(214) + u" 0007  " + row(879));

    // A new game is appended and announced; not while the topic board is in front.
    shell.status.clear();
    shell.activePage = Page::Topics;
    receive(Link::Game, "G1" + gameRecord(13, 13, 2, 1));
    EXPECT_EQ(rowGids(), (std::vector<std::uint16_t>{11, 10, 13}));
    EXPECT_EQ(shell.status, u"");
    EXPECT_EQ(port.gameTotal, row(310) + u":3");

    // The first click on "棋局" sorts by number ascending, the second descending.
    games().list().sortByColumn(GameColumn::Number);
    EXPECT_EQ(rowGids(), (std::vector<std::uint16_t>{10, 13, 11}));  // 0007, 0013, 1234
    games().list().sortByColumn(GameColumn::Number);
    EXPECT_EQ(rowGids(), (std::vector<std::uint16_t>{11, 13, 10}));
}

TEST_F(GamesTest, G1SetsBothPlayersStatus) {
    struct Case {
        std::uint8_t terms;
        std::uint16_t black, white;
        std::string kind, status;
        std::u16string statusCell;
        int image;
        std::u16string wishCell;
    };
    for (const Case& c : std::initializer_list<Case>{
             {kPlayed, 1, 2, "R", "P", u"弈", 6, u"O"},
             {0, 1, 2, "D", "P", u"弈", 6, u"O"},
             {kBroadcast, 1, 2, "B", "B", u"播", 15, u"X"},
             {kTeaching, 3, 3, "T", "T", u"教", 14, u"O"},
         }) {
        GamesHarness h;
        h.enterLobby();
        h.receive(Link::Game, "G2");
        const std::u16string before = h.playerCell(2, PlayerColumn::Status);
        h.receive(Link::Game, "G1" + gameRecord(1, 5, c.black, c.white, c.terms, 4));
        const GameRef game = h.games().findGameByGID(5);
        ASSERT_NE(game, nullptr) << c.kind;
        EXPECT_EQ(game->gameKind, c.kind);
        EXPECT_EQ(game->playStatus, c.status);
        EXPECT_EQ(game->playStatusText, c.statusCell);
        EXPECT_EQ(game->iconIndex, c.image);
        EXPECT_EQ(h.games().list().rowImage(0), c.image);
        EXPECT_EQ(game->observerCount, 4);
        for (const std::uint16_t uid : {c.black, c.white}) {
            EXPECT_EQ(h.player(uid)->playStatus, c.status) << c.kind;
            EXPECT_EQ(h.playerCell(uid, PlayerColumn::Status), c.statusCell) << c.kind;
            EXPECT_EQ(h.playerCell(uid, PlayerColumn::Wish), c.wishCell) << c.kind;
        }
        if (c.black == c.white) {
            EXPECT_EQ(h.playerCell(2, PlayerColumn::Status), before);
        }
        // The players are found in the game now: a click on one of them enables "觀戰".
        h.players().locateuser(h.player(c.black));
        EXPECT_EQ(h.port.observeEnabled, true) << c.kind;
        h.players().locateuser(h.player(7));
        EXPECT_EQ(h.port.observeEnabled, false) << c.kind;
    }
}

TEST_F(GamesTest, MalformedOrUnknownGameMessagesChangeNothing) {
    enterLobby();
    receive(Link::Game, "G2" + gameRecord(1, 5, 1, 2));
    const GameRef game = games().findGameByGID(5);
    ASSERT_NE(game, nullptr);
    for (const std::string& message : {
             "G1" + gameRecord(2, 6, 1, 99),          // unknown white
             "G1" + gameRecord(2, 6, 1, 2, 0, 0, 2),  // no terms byte
             std::string("G1"),
             "GK" + wordToBytes(6) + "Snot there",  // unknown game
             std::string("GK\0", 3),                // no whole gid
             "GM" + titleRecord(5, u"cut").substr(0, 7),
             "GM" + wordToBytes(5) + std::string(1, '\0'),  // header cut short
         })
        receive(Link::Game, message);
    EXPECT_EQ(rowGids(), std::vector<std::uint16_t>{5});
    EXPECT_EQ(game->title, u"");
    EXPECT_EQ(game->gameKind, "R");
}

TEST_F(GamesTest, TitlesFromGMAndGK) {
    enterLobby();
    receive(Link::Game, "G2" + gameRecord(1, 5, 1, 2) + gameRecord(2, 6, 3, 7));
    // The first record names an unknown game; the second still sets its title.
    receive(Link::Game,
            "GM" + titleRecord(9, u"lost") + titleRecord(6, u"名人戰") + titleRecord(5, u""));
    EXPECT_EQ(games().findGameByGID(6)->title, u"名人戰");
    EXPECT_EQ(games().findGameByGID(5)->title, u"");

    receive(Link::Game, "GK" + wordToBytes(5) + "S" + wideToBig5(u"決勝"));
    EXPECT_EQ(games().findGameByGID(5)->title, u"決勝");
    receive(Link::Game, "GK" + wordToBytes(5) + "Qignored");
    EXPECT_EQ(games().findGameByGID(5)->title, u"決勝") << "other sub-codes only refresh";
    const int r = games().list().findgamelistviewindex(games().findGameByGID(5).get());
    EXPECT_EQ(games().list().cellText(r, GameColumn::Title), u"決勝");
}

TEST_F(GamesTest, SetGameTitleSendsTheTrimmedCutTitle) {
    enterLobby();
    receive(Link::Game, "G2" + gameRecord(1, 0x0102, 1, 2));
    net.clearSent();
    games().setGameTitle();
    EXPECT_TRUE(port.prompts.empty()) << "no selected game";

    games().list().selectRow(0);
    port.inputAnswer = u"  " + std::u16string(35, u'棋') + u"  ";
    games().setGameTitle();
    const std::string title = wideToUnits(std::u16string(30, u'棋'));
    EXPECT_EQ(net.sent(Link::Game), packFrame("PGM\x01\x02" + wordToBytes(60) + title));

    net.clearSent();
    port.inputAnswer.reset();
    games().setGameTitle();
    EXPECT_EQ(net.sent(Link::Game), "") << "cancelled";
}

TEST_F(GamesTest, LeavingEmptiesTheListAndAJoinStartsAfresh) {
    enterLobby();
    receive(Link::Game, "G2" + gameRecord(1, 5, 1, 2));
    client.gameServers().exitGoServer();
    EXPECT_TRUE(games().list().games().empty());
    EXPECT_EQ(games().findGameByGID(5), nullptr);

    join(1);
    EXPECT_TRUE(games().list().rows().empty());
    // "G1" before the players are known is dropped.
    receive(Link::Game, "G1" + gameRecord(1, 5, 1, 2));
    EXPECT_TRUE(games().list().games().empty());
}

}  // namespace
}  // namespace veld
