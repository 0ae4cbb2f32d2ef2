// The game list as a presentation model: lookups, cells, sorts and their shared direction,
// the view notifications and key search.
#include <gtest/gtest.h>

#include "lobby/game_list.h"

namespace veld {
namespace {

GameRef game(std::uint16_t gid, std::u16string black, int whiteRankValue = 0) {
    auto g = std::make_shared<Tgame>();
    g->gid = g->gameNumber = gid;
    g->blackDisplayName = std::move(black);
    g->whiteRankValue = whiteRankValue;
    g->playStatus = "P";
    return g;
}

struct RecordingObserver : GameListObserver {
    void rowsReset() override { events.push_back("reset"); }
    void rowInserted(int row) override { events.push_back("insert " + std::to_string(row)); }
    void rowChanged(int row) override { events.push_back("change " + std::to_string(row)); }
    void observerCellChanged(int row) override {
        events.push_back("observers " + std::to_string(row));
    }
    void rowRemoved(int row) override { events.push_back("remove " + std::to_string(row)); }
    void selectionChanged(int row) override { events.push_back("select " + std::to_string(row)); }
    std::vector<std::string> events;
};

struct GameListTest : ::testing::Test {
    GameList list;

    void show(std::initializer_list<GameRef> games) {
        list.reset();
        for (const auto& g : games) list.appendGame(g);
        list.showgamelist();
    }
    std::vector<std::uint16_t> order() const {
        std::vector<std::uint16_t> gids;
        for (const auto& g : list.rows()) gids.push_back(g->gid);
        return gids;
    }
};

TEST_F(GameListTest, LookupsTakeTheFirstLiveMatch) {
    EXPECT_EQ(list.findGameByGID(1), nullptr);
    const auto ended = game(1, u"a");
    ended->blackName = "kim       ";
    ended->playStatus = "X";
    const auto live = game(1, u"b");
    live->whiteName = "kim       ";
    show({ended, live});

    EXPECT_EQ(list.findGameByGID(1), ended);
    EXPECT_EQ(list.findGameByName("kim       "), live);
    EXPECT_EQ(list.findGameByName("kim"), nullptr) << "the 10-byte name, exactly";
}

TEST_F(GameListTest, Cells) {
    struct Case {
        std::uint16_t number;
        std::string rank;
        std::u16string numberCell, rankCell;
    };
    for (const Case& c : std::initializer_list<Case>{{7, "1d", u"0007", u"1d  "},
                                                     {12345, "31k*", u"1234", u"31k*"},
                                                     {0, "", u"0000", u"    "},
                                                     {999, "12345", u"0999", u"1234"}}) {
        Tgame g;
        g.gameNumber = c.number;
        g.blackRank = g.whiteRank = c.rank;
        g.observerCount = 12;
        g.title = u"題";
        EXPECT_EQ(GameList::cellText(g, GameColumn::Number), c.numberCell) << c.number;
        EXPECT_EQ(GameList::cellText(g, GameColumn::BlackRank), c.rankCell) << c.rank;
        EXPECT_EQ(GameList::cellText(g, GameColumn::WhiteRank), c.rankCell) << c.rank;
        EXPECT_EQ(GameList::cellText(g, GameColumn::Observers), u"12");
        EXPECT_EQ(GameList::cellText(g, GameColumn::Title), u"題");
    }
    EXPECT_EQ(list.cellText(0, GameColumn::Number), u"") << "no such row";
    EXPECT_EQ(list.rowImage(-1), -1);
    EXPECT_EQ(gameColumnInfo(GameColumn::Title).width, 1000);
    EXPECT_EQ(gameColumnInfo(GameColumn::Observers).caption, u"觀眾");
}

TEST_F(GameListTest, EachColumnSortsItsWayAndAClickReverses) {
    const auto a = game(3, u"bob", 10), b = game(1, u"Amy", 30), c = game(2, u"carl", 20);
    a->blackRankValue = 5, b->blackRankValue = 1, c->blackRankValue = 9;
    a->observerCount = 2, b->observerCount = 7, c->observerCount = 0;
    a->title = u"B", b->title = u"a", c->title = u"C";
    a->whiteDisplayName = u"z", b->whiteDisplayName = u"y", c->whiteDisplayName = u"x";
    struct Case {
        GameColumn column;
        std::vector<std::uint16_t> first;
    };
    for (const Case& k : std::initializer_list<Case>{
             {GameColumn::Number, {1, 2, 3}},
             {GameColumn::Black, {1, 3, 2}},  // a-z folded: "Amy" < "bob" < "carl"
             {GameColumn::BlackRank, {2, 3, 1}},
             {GameColumn::White, {2, 1, 3}},
             {GameColumn::WhiteRank, {1, 2, 3}},
             {GameColumn::Observers, {1, 3, 2}},
             {GameColumn::Title, {2, 3, 1}},  // descending, folded: "C" > "B" > "a"
         }) {
        show({a, b, c});
        ASSERT_EQ(list.gameSortDirection(), 1);
        list.sortByColumn(k.column);
        EXPECT_EQ(order(), k.first) << static_cast<int>(k.column);
        list.sortByColumn(k.column);
        EXPECT_EQ(order(), std::vector<std::uint16_t>(k.first.rbegin(), k.first.rend()))
            << static_cast<int>(k.column);
        EXPECT_EQ(list.gameSortDirection(), 1);
    }
    // The direction is shared: whoever changed it last decides the next click.
    list.setGameSortDirection(-1);
    list.sortByColumn(GameColumn::Number);
    EXPECT_EQ(order(), (std::vector<std::uint16_t>{3, 2, 1}));
    // sortRows keeps the direction.
    list.sortRows(GameColumn::Number);
    EXPECT_EQ(order(), (std::vector<std::uint16_t>{1, 2, 3}));
    EXPECT_EQ(list.gameSortDirection(), 1);
}

TEST_F(GameListTest, SelectionFollowsItsRowThroughSortsAndRemovals) {
    const auto a = game(1, u"a", 1), b = game(2, u"b", 2), c = game(3, u"c", 3);
    show({a, b, c});
    list.selectRow(0);
    list.sortByColumn(GameColumn::WhiteRank);
    EXPECT_EQ(list.selectedGame(), a);
    EXPECT_EQ(list.selectedRow(), 2);
    list.removeGame(c);
    EXPECT_EQ(list.selectedRow(), 1);
    list.removeGame(a);
    EXPECT_EQ(list.selectedGame(), nullptr);
    EXPECT_EQ(list.games(), std::vector<GameRef>{b});
    list.removeGame(nullptr);
    EXPECT_EQ(list.rows().size(), 1u);
}

TEST_F(GameListTest, ViewNotifications) {
    RecordingObserver view;
    list.setObserver(&view);
    const auto a = game(1, u"a"), b = game(2, u"b");
    show({a});
    list.appendGame(b);
    list.showgamelist();  // refreshes a in place and appends b
    list.updategameob(b);
    list.updategameob(game(9, u"not shown"));
    list.updategame(nullptr);
    list.removeGame(a);
    EXPECT_EQ(view.events, (std::vector<std::string>{"reset", "insert 0", "change 0", "insert 1",
                                                     "observers 1", "remove 0"}));
    // Leaving keeps the rows until the next rebuild.
    list.clearGames();
    EXPECT_TRUE(list.games().empty());
    EXPECT_EQ(list.rows().size(), 1u);
}

TEST_F(GameListTest, KeySearchStartsAtTheSelectedRowAndWraps) {
    show({game(1, u"ann"), game(2, u"bo"), game(3, u"al"), game(4, u"")});
    EXPECT_FALSE(list.keySearch(u'a')) << "no selection";
    struct Case {
        int from;
        char16_t key;
        bool found;
        int to;
    };
    for (const Case& c : std::initializer_list<Case>{
             {0, u'a', true, 0},   // the selected row itself matches: it stays
             {1, u'a', true, 2},   // on to the end
             {3, u'a', true, 0},   // then from the top
             {2, u'b', true, 1},   //
             {1, u'A', false, 1},  // exact characters, no folding
             {1, u' ', false, 1},  // a space never searches
             {1, u'z', false, 1},
         }) {
        list.selectRow(c.from);
        EXPECT_EQ(list.keySearch(c.key), c.found) << c.from << " " << char(c.key);
        EXPECT_EQ(list.selectedRow(), c.to) << c.from << " " << char(c.key);
    }
}

}  // namespace
}  // namespace veld
