#include "protocol/language.h"

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"
#include "protocol/search.h"
#include "protocol/text_table.h"

namespace veld {
namespace {

TEST(Language, LocaleNamesGiveLanguageIds) {
    const std::pair<const char*, int> cases[] = {
        {"zh_TW.UTF-8", 1028}, {"zh_CN", 2052},     {"ko_KR.eucKR", 1042}, {"ja_JP", 1041},
        {"th_TH", 1054},       {"en_US", 1033},     {"zh_HK", 3076},       {"de_DE@euro", 1031},
        {"fr", 1036},          {"C", 1033},         {"POSIX", 1033},       {"", 1033},
        {"xx_YY", 1033},       {"zh_TW.Big5", 1028}};
    for (const auto& [locale, id] : cases) EXPECT_EQ(languageIdFromLocale(locale), id) << locale;
    EXPECT_EQ(localeOfLanguageId(1028), "zh_TW");
    EXPECT_EQ(localeOfLanguageId(7), "");
}

TEST(Language, FileCodePageFollowsTheLanguage) {
    const std::pair<int, int> cases[] = {{1028, 950}, {3076, 950}, {2052, 936}, {4100, 936},
                                         {1042, 949}, {2066, 949}, {1041, 932}, {1054, 874},
                                         {1033, 437}, {5124, 437}};
    for (const auto& [id, codePage] : cases) EXPECT_EQ(codePageForLanguage(id), codePage) << id;
}

TEST(Language, CaptionsOnAnEnglishSystem) {
    testing::FakeShell shell;
    Language language;
    language.testLanguage(shell, TextTable::builtIn(), 1033);
    EXPECT_EQ(language.fileCodePage, 437);
    EXPECT_EQ(shell.checkedCodePage, 437);
    EXPECT_EQ(shell.mainCaption, u"Ulmo");
    EXPECT_EQ(shell.applicationTitle, u"Ulmo");
    EXPECT_EQ(shell.statusBarFont, u"Tahoma");
}

TEST(Language, CaptionsOnChineseSystems) {
    for (const int id : {2052, 1028}) {
        testing::FakeShell shell;
        Language language;
        language.testLanguage(shell, TextTable::builtIn(), id);
        EXPECT_EQ(language.fileCodePage, id == 2052 ? 936 : 950);
        EXPECT_EQ(shell.mainCaption, u"");  // keeps its designed caption
        EXPECT_EQ(shell.applicationTitle, u"Veld");
    }
    testing::FakeShell shell;
    Language::translateStep2(shell);
    EXPECT_EQ(shell.broadcastWidth, 360);
}

TEST(Language, LoginNamesAreScreenedOnTraditionalChineseSystemsOnly) {
    const TextTable& texts = TextTable::builtIn();
    struct Case {
        std::u16string name;
        bool refusedOn1028;
    };
    const Case cases[] = {
        {u"abc123", false},  {u"小豬", true},  // forbidden character
        {u"干", true},                         // whole-text entry
        {u"好幹勁", true},                     // contains the forbidden character 幹
        {u"你好", true},                       // 你 is a forbidden character too
        {u"王八蛋們", true},                   // later entries match inside the text
        {u"大雜種", true},   {u"Go?", true},   // the question mark is in the character list
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isForbiddenLoginName(c.name, 1028, texts), c.refusedOn1028);
        EXPECT_FALSE(isForbiddenLoginName(c.name, 1033, texts));
    }
}

TEST(Language, WordListMatchesWholeTextsFirstThenParts) {
    const auto& words = TextTable::builtIn().forbiddenWords();
    EXPECT_TRUE(matchesWordList(u"干", words));
    EXPECT_FALSE(matchesWordList(u"幹部", words));  // 幹 alone is a whole-text entry only
    EXPECT_TRUE(matchesWordList(u"這是雜種", words));
}

TEST(Language, FileMenuCaptionComesFromTheTable) {
    testing::FakeShell shell;
    Assingunistring(shell, TextTable::builtIn());
    EXPECT_EQ(shell.fileMenuCaption, u"檔案");
}

}  // namespace
}  // namespace veld
