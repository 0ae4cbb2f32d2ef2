// The player list as a presentation model: lookups, rows, sorts and their shared direction,
// selection and key search.
#include <gtest/gtest.h>

#include "lobby/player_list.h"

namespace veld {
namespace {

UserRef player(std::uint16_t uid, std::u16string displayName, int rankValue = 0,
               std::string name = "") {
    auto user = std::make_shared<Tuser>();
    user->uid = uid;
    user->displayName = std::move(displayName);
    user->rankValue = rankValue;
    user->name = std::move(name);
    return user;
}

struct PlayerListTest : ::testing::Test {
    PlayerList list;

    void show(std::initializer_list<UserRef> users) {
        list.reset();
        for (const auto& user : users) list.appendUser(user);
        list.showplayerlist();
    }
    std::vector<std::u16string> names() const {
        std::vector<std::u16string> out;
        for (int i = 0; i < static_cast<int>(list.rows().size()); ++i)
            out.push_back(list.cellText(i, PlayerColumn::Name));
        return out;
    }
};

TEST_F(PlayerListTest, LookupsTakeTheFirstMatch) {
    EXPECT_EQ(list.findUserByuid(1), nullptr);
    const auto first = player(1, u"a", 0, "abc");
    const auto second = player(1, u"b", 0, "abc");
    show({first, second});
    EXPECT_EQ(list.findUserByuid(1), first);
    EXPECT_EQ(list.findUserByName("  abc "), first);
    EXPECT_EQ(list.findUserByName("ABC"), nullptr);
}

TEST_F(PlayerListTest, UpdateAppendsOnlyMissingRowsAndRemoveFixesTheSelection) {
    const auto a = player(1, u"a"), b = player(2, u"b"), c = player(3, u"c");
    show({a, b});
    list.updateuser(a);
    list.updateuser(c);
    list.updateuser(nullptr);
    EXPECT_EQ(names(), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    list.selectRow(2);
    list.removeUser(a);
    EXPECT_EQ(names(), (std::vector<std::u16string>{u"b", u"c"}));
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_EQ(list.findUserByuid(1), nullptr);
}

TEST_F(PlayerListTest, RankSortSharesTheDirectionWithEveryColumn) {
    const auto weak = player(1, u"w", 1), strong = player(2, u"s", 40), mid = player(3, u"m", 26);
    show({weak, strong, mid});
    list.sortByColumn(PlayerColumn::Rank);
    EXPECT_EQ(names(), (std::vector<std::u16string>{u"s", u"m", u"w"}));
    EXPECT_EQ(list.userSortDirection(), -1);
    list.sortByColumn(PlayerColumn::Rank);
    EXPECT_EQ(names(), (std::vector<std::u16string>{u"w", u"m", u"s"}));
    // Another column continues from the last direction: now ascending.
    list.sortByColumn(PlayerColumn::Name);
    EXPECT_EQ(names(), (std::vector<std::u16string>{u"m", u"s", u"w"}));
    list.sortByColumn(PlayerColumn::Name);
    EXPECT_EQ(names(), (std::vector<std::u16string>{u"w", u"s", u"m"}));
}

TEST_F(PlayerListTest, ColumnOrders) {
    const auto a = player(1, u"b"), b = player(2, u"A"), c = player(3, u"c");
    a->friendMark = "O";
    b->friendMark = "X";
    a->wins = 5, b->wins = 1, c->wins = 9;
    a->promotionIndex = 9, b->promotionIndex = 10, c->promotionIndex = -3;
    a->ranking = 3, b->ranking = 0, c->ranking = 7;
    struct Case {
        PlayerColumn column;
        std::vector<std::u16string> order;
    };
    const Case cases[] = {
        // Letters fold to upper case.
        {PlayerColumn::Name, {u"A", u"b", u"c"}},
        {PlayerColumn::Friend, {u"A", u"b", u"c"}},  // blocked, friend, none
        {PlayerColumn::Wins, {u"c", u"b", u"A"}},
        {PlayerColumn::Ranking, {u"c", u"b", u"A"}},
        // Text descending: "9" > "10" > "-3".
        {PlayerColumn::Promotion, {u"b", u"A", u"c"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.column));
        show({a, b, c});
        list.sortByColumn(k.column);
        EXPECT_EQ(names(), k.order);
    }
}

TEST_F(PlayerListTest, SortKeepsTheSelectedRecordSelected) {
    const auto a = player(1, u"a", 1), b = player(2, u"b", 2);
    show({a, b});
    list.selectRow(0);
    list.sortByColumn(PlayerColumn::Rank);
    ASSERT_EQ(list.selectedRow(), 1);
    EXPECT_EQ(list.rows()[1], a);
}

TEST_F(PlayerListTest, KeySearchStartsAfterTheSelectionAndWraps) {
    const auto a1 = player(1, u"amy"), b = player(2, u"bob"), a2 = player(3, u"ann");
    show({a1, b, a2});
    EXPECT_FALSE(list.keySearch(u'a'));  // no selection
    list.selectRow(0);
    EXPECT_TRUE(list.keySearch(u'a'));
    EXPECT_EQ(list.selectedRow(), 2);
    EXPECT_EQ(list.selectedUser(), a2);
    EXPECT_TRUE(list.keySearch(u'a'));
    EXPECT_EQ(list.selectedRow(), 0);
    // Exact comparison: upper case does not match, a space never searches.
    EXPECT_FALSE(list.keySearch(u'A'));
    EXPECT_FALSE(list.keySearch(u' '));
    EXPECT_EQ(list.selectedRow(), 0);
    // The selected row itself matches last.
    EXPECT_TRUE(list.keySearch(u'b'));
    EXPECT_TRUE(list.keySearch(u'b'));
    EXPECT_EQ(list.selectedUser(), b);
}

TEST_F(PlayerListTest, LocateSelectsTheRowByDisplayName) {
    const auto a = player(1, u"a"), b = player(2, u"b");
    show({a, b});
    EXPECT_FALSE(list.locateuser(nullptr));
    EXPECT_TRUE(list.locateuser(player(9, u"b")));
    EXPECT_EQ(list.selectedUser(), b);
    list.showplayerlist();
    EXPECT_EQ(list.selectedUser(), nullptr);
    EXPECT_EQ(list.selectedRow(), -1);
}

TEST_F(PlayerListTest, CellsAndImages) {
    const auto a = player(1, u"甲");
    a->rankText = "1d*";
    a->ranking = 12;
    a->winRateText = " 1";
    a->friendMark = "O";
    show({a});
    EXPECT_EQ(list.cellText(0, PlayerColumn::Rank), u"1d*");
    EXPECT_EQ(list.cellText(0, PlayerColumn::Ranking), u"12");
    EXPECT_EQ(list.cellText(0, PlayerColumn::WinRate), u" 1");
    EXPECT_EQ(list.cellText(0, PlayerColumn::Friend), u"");
    EXPECT_EQ(list.cellText(5, PlayerColumn::Name), u"");
    EXPECT_EQ(PlayerList::friendImage(*a), kFriendImage);
    a->friendMark = "X";
    EXPECT_EQ(PlayerList::friendImage(*a), kBlockedImage);
    EXPECT_EQ(playerColumnInfo(PlayerColumn::Language).caption, u"LANG");
    EXPECT_EQ(playerColumnInfo(PlayerColumn::Language).width, 140);
}

}  // namespace
}  // namespace veld
