#include "go/sgf_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "go/sgf_reader.h"
#include "go/tree.h"

namespace veld {
namespace {

TEST(SgfEncoding, CharsetNames) {
    const struct {
        const char* name;
        std::optional<int> codePage;
    } cases[] = {
        {"UTF-8", kUtf8CodePage},
        {" utf8 ", kUtf8CodePage},
        {"Big5", 950},
        {"BIG-5", 950},
        {"GB2312", 936},
        {"gbk", 936},
        {"GB18030", 936},
        {"EUC-KR", 949},
        {"euckr", 949},
        {"Shift_JIS", 932},
        {"shift-jis", 932},
        {"SJIS", 932},
        {"ISO-8859-1", {}},
        {"", {}},
        {"UTF-16", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(codePageForCharset(c.name), c.codePage) << c.name;
}

TEST(SgfEncoding, FindsTheCharsetOfTheFirstNodeOnly) {
    const struct {
        std::string text;
        std::optional<std::string> charset;
    } cases[] = {
        {"(;GM[1]FF[4]CA[UTF-8]SZ[19];B[aa])", "UTF-8"},
        {"(;GM[1]\n  CA [Big5])", "Big5"},
        // A Big5 character whose second byte is a backslash does not escape the "]".
        {"(;PB[\xB3\\]CA[Big5])", "Big5"},
        // An escaped "]" inside a value does not end it.
        {"(;C[a\\]CA[x]]CA[GBK])", "GBK"},
        {"(;B[aa];CA[UTF-8])", {}},
        {"(;GM[1](;CA[UTF-8]))", {}},
        {"no tree", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(findRootCharset(c.text), c.charset) << c.text;
}

// The text "中" in each encoding.
TEST(SgfEncoding, DecodesByCharsetThenByUtf8ThenBySystemCodePage) {
    const struct {
        std::string text;
        std::u16string name;
    } cases[] = {
        {"(;CA[UTF-8]PB[\xE4\xB8\xAD])", u"中"},
        {"(;PB[\xE4\xB8\xAD])", u"中"},  // UTF-8 without CA
        {"(;PB[\xA4\xA4])", u"中"},      // Big5, the system code page
        {"(;CA[GB2312]PB[\xD6\xD0])", u"中"},
        {"(;CA[Shift_JIS]PB[\x92\x86])", u"中"},
        {"(;CA[EUC-KR]PB[\xC7\xD1])", u"한"},
        {"(;CA[ISO-8859-1]PB[\xE4\xB8\xAD])", u"中"},  // an unknown CA: UTF-8 recognised
    };
    for (const auto& c : cases) {
        const SgfReadResult r = readPlainSgf(c.text);
        ASSERT_TRUE(r.ok()) << c.text;
        EXPECT_EQ(lookupProperty(*r.root, "PB"), c.name) << c.text;
    }
}

TEST(SgfEncoding, CommentsTakeTheFileCodePageOnlyWhenTheSystemsWasUsed) {
    // Code page 437 maps every byte to a character, so the comment's bytes survive the system
    // decoding and are decoded again with the file code page.
    const SgfReadOptions options{.systemCodePage = 437, .fileCodePage = 949};
    const SgfReadResult plain = readPlainSgf("(;PB[\xC7\xD1]C[\xC7\xD1])", options);
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain.root->comment, u"한");
    EXPECT_NE(lookupProperty(*plain.root, "PB"), u"한");

    const SgfReadResult named = readPlainSgf("(;CA[Big5]C[\xA4\xA4])", options);
    ASSERT_TRUE(named.ok());
    EXPECT_EQ(named.root->comment, u"中");
}

TEST(SgfEncoding, Big5TrailBytesAreNotEscapes) {
    // 許 is B3 5C in Big5: decoded before parsing, its second byte is no backslash.
    const SgfReadResult r = readPlainSgf("(;PB[\xB3\\]PW[x];B[aa])");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(lookupProperty(*r.root, "PB"), u"許");
    EXPECT_EQ(lookupProperty(*r.root, "PW"), u"x");
}

}  // namespace
}  // namespace veld
