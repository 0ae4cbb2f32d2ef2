#include "protocol/codepage.h"

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"

namespace veld {
namespace {

using namespace std::string_literals;

struct NativeText {
    int codePage;
    std::u16string text;
    std::string bytes;
};

TEST(CodePages, EachCodePageConvertsItsOwnTextBothWays) {
    const NativeText cases[] = {
        {950, u"研究室", "\xAC\xE3\xA8\x73\xAB\xC7"s},
        {936, u"简体中文", "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4"s},
        {949, u"한국어", "\xC7\xD1\xB1\xB9\xBE\xEE"s},
        {932, u"日本語かな", "\x93\xFA\x96\x7B\x8C\xEA\x82\xA9\x82\xC8"s},
        {874, u"ภาษาไทย", "\xC0\xD2\xC9\xD2\xE4\xB7\xC2"s},
        {437, u"Çé½░", "\x80\x82\xAB\xB0"s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePage);
        EXPECT_EQ(wideToAnsi(c.text, c.codePage), c.bytes);
        EXPECT_EQ(ansiToWide(c.bytes, c.codePage), c.text);
        EXPECT_EQ(ansiToWide("ab " + c.bytes + " cd", c.codePage), u"ab " + c.text + u" cd");
    }
}

TEST(CodePages, Big5RoundTripsInterfaceText) {
    const std::u16string text = u"聚弈廳 棄子投降，逾時裁定敗！本局交付裁決 €";
    const std::string bytes = wideToBig5(text);
    EXPECT_EQ(bytes.substr(0, 6), "\xBB\x45\xAB\xD9\xC6\x55"s);
    EXPECT_EQ(big5ToWide(bytes), text);
}

TEST(CodePages, InvalidBytesBecomeReplacementsAndDecodingGoesOn) {
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"\xA4\x20x"s, u"\uFFFD x"},  // lead byte with a bad trail byte
        {"a\xFF"s
         "b",
         u"a\uFFFDb"},             // byte that is never valid
        {"ab\xA4"s, u"ab\uFFFD"},  // cut-off sequence at the end
        {"\xAC\xE3\xA4"s, u"研\uFFFD"},
        {"ab\0cd"s, u"ab"},  // stops at the first NUL
        {"\0ab"s, u""},
        {"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(big5ToWide(c.bytes), c.text) << c.bytes;
}

TEST(CodePages, EncodingLeavesOutWhatTheCodePageCannotHold) {
    EXPECT_EQ(wideToBig5(u"a한b\U0001F600c"), "abc");
    EXPECT_EQ(wideToBig5(u"a\xD800"), "a");  // unpaired surrogate
    EXPECT_EQ(wideToBig5(u"\xDC00"
                         u"a"),
              "a");
    EXPECT_EQ(wideToAnsi(u"한국어", 950), "");
    EXPECT_EQ(wideToBig5(u""), "");
}

TEST(CodePages, UnknownCodePageFallsBackToUtf8) {
    EXPECT_EQ(ansiToWide("\xE4\xB8\xAD\xFF"s, 12345), u"中\uFFFD");
    EXPECT_EQ(ansiToWide("\xE4\xB8\xAD\0x"s, kDefaultCodePage), u"中");
    EXPECT_EQ(wideToAnsi(u"中", 12345), "\xE4\xB8\xAD"s);
}

TEST(CodePages, ConversionThatCannotBeDoneIsReported) {
    testing::FakeDialogs dialogs;
    EXPECT_EQ(big5ToWide("\xAC\xE3"s, &dialogs), u"研");
    EXPECT_TRUE(dialogs.boxes.empty());

    EXPECT_EQ(ansiToWideOrReport("ab\xE4\xB8\xAD"s, 4242, &dialogs), u"ab中");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].kind, testing::FakeDialogs::Kind::Message);
    EXPECT_EQ(dialogs.boxes[0].text, u"encodex error = ab中");
    EXPECT_EQ(ansiToWideOrReport("ab", 4242, nullptr), u"ab");  // nobody to tell
}

TEST(Utf8, DecodesWellFormedTextAndReplacesEachBrokenSequenceOnce) {
    struct Case {
        std::string bytes;
        std::u16string text;
        bool valid;
    };
    const Case cases[] = {
        {"", u"", true},
        {"a\0b"s, u"a\0b"s, true},  // NUL is a character here
        {"\xC3\xA9\xE4\xB8\xAD", u"é中", true},
        {"\xF0\x9F\x98\x80", u"\U0001F600", true},  // surrogate pair
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF", true},
        {"\xE4\xB8"
         "A",
         u"\uFFFD"
         "A",
         false},                                                   // truncated: one replacement
        {"\xE4\xB8", u"\uFFFD", false},                            // truncated at the end
        {"\xC0\x80", u"\uFFFD\uFFFD", false},                      // overlong
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD", false},            // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},            // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},  // above U+10FFFF
        {"\x80x\xFF", u"\uFFFDx\uFFFD", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(utf8ToWide(c.bytes), c.text);
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid);
        if (c.valid) {
            EXPECT_EQ(wideToUtf8(c.text), c.bytes);
        }
    }
}

TEST(Utf8, UnpairedSurrogatesEncodeAsReplacement) {
    EXPECT_EQ(wideToUtf8(u"a\xD800"
                         u"b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(wideToUtf8(u"\xDC00\xD800"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace veld
