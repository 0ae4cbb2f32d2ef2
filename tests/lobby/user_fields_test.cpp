// Personal data, win rate, activity text and friend marks of a player record.
#include <gtest/gtest.h>

#include "lobby/user_fields.h"
#include "protocol/codepage.h"
#include "protocol/language.h"
#include "protocol/text_table.h"

namespace veld {
namespace {

TEST(UserFields, DecodesThePersonalDataCode) {
    Tuser user;
    user.pxCode = 0x3084B;
    decodepxcode(user);
    EXPECT_EQ(user.ageText, u"青");
    EXPECT_EQ(big5ToWide(user.sexText), u"♂");
    EXPECT_EQ(user.regionText, u"台北市");
    EXPECT_EQ(user.jobText, u"農林牧");
    EXPECT_EQ(user.iconIndex, 3);

    // Values past the ends of the tables read empty; bit 20 (voted) is not decoded.
    user.pxCode = 0x1F0000u | 7u | (3u << 3) | (63u << 5) | (15u << 11);
    decodepxcode(user);
    EXPECT_EQ(user.ageText, u"");
    EXPECT_EQ(user.sexText, "");
    EXPECT_EQ(user.regionText, u"");
    EXPECT_EQ(user.jobText, u"退休");
    EXPECT_EQ(user.iconIndex, 15);

    user.pxCode = (38u << 5) | (2u << 3);
    decodepxcode(user);
    EXPECT_EQ(user.regionText, u"加拿大");
    EXPECT_EQ(big5ToWide(user.sexText), u"♀");
}

TEST(UserFields, WinRateText) {
    struct Case {
        int wins, losses;
        const char* text;
    };
    const Case cases[] = {{3, 0, " 1"},   {0, 0, "0"},    {0, 3, " 0"},
                          {1, 2, "0.33"}, {2, 1, "0.67"}, {1, 1, "0.5"}};
    for (const Case& c : cases) {
        Tuser user;
        user.wins = c.wins;
        user.losses = c.losses;
        updatewinrate(user);
        EXPECT_EQ(user.winRateText, c.text) << c.wins << "/" << c.losses;
        EXPECT_EQ(user.gameCount, c.wins + c.losses);
    }
}

TEST(UserFields, PlayStatusTexts) {
    const TextTable& texts = TextTable::builtIn();
    EXPECT_EQ(translateplayStatus("N", texts), u"閒");
    EXPECT_EQ(translateplayStatus("P", texts), u"弈");
    EXPECT_EQ(translateplayStatus("B", texts), u"播");
    EXPECT_EQ(translateplayStatus("T", texts), u"教");
    EXPECT_EQ(translateplayStatus("Z", texts), u"閒");
    EXPECT_EQ(translateplayStatus("", texts), u"閒");
}

TEST(UserFields, FriendMarks) {
    const FriendNames names{{u"友", u"兩"}, {u"壞", u"兩"}};
    const auto marked = [&](std::u16string name, std::uint16_t uid, std::string before = "") {
        Tuser user;
        user.displayName = std::move(name);
        user.uid = uid;
        user.friendMark = before;
        const bool friendSet = applyFriendMarks(user, names, 7);
        return std::pair(user.friendMark, friendSet);
    };
    EXPECT_EQ(marked(u"友", 1), std::pair(std::string("O"), true));
    EXPECT_EQ(marked(u"壞", 1), std::pair(std::string("X"), false));
    // Blocked and a friend: the friend mark wins.
    EXPECT_EQ(marked(u"兩", 1), std::pair(std::string("O"), true));
    // The own record is never marked; a mark present is not cleared.
    EXPECT_EQ(marked(u"友", 7), std::pair(std::string(""), false));
    EXPECT_EQ(marked(u"路人", 1, "X"), std::pair(std::string("X"), false));
}

TEST(UserFields, LanguageNames) {
    EXPECT_EQ(languageNameOfId(1028), "Chinese (zh_TW)");
    EXPECT_EQ(languageNameOfId(1033), "English (en_US)");
    // An unknown id takes the first known locale.
    EXPECT_EQ(languageNameOfId(0), languageNameOfId(1028));
}

}  // namespace
}  // namespace veld
