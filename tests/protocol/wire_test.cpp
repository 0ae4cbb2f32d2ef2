#include "protocol/wire.h"

#include <gtest/gtest.h>

namespace veld {
namespace {

using namespace std::string_literals;

TEST(WireNumbers, WordsAndLongsAreBigEndian) {
    EXPECT_EQ(wordToBytes(0x12345), "\x23\x45"s);  // bits above 15 dropped
    EXPECT_EQ(bytesToWord("\xFF\xFE\x01"s), 0xFFFE);
    EXPECT_EQ(bytesToWord("\x01"s), 0);
    EXPECT_EQ(longToBytes(0x0A0B0C0D), "\x0A\x0B\x0C\x0D"s);
    EXPECT_EQ(bytesToLong("\xFF\x00\x00\x01"s), 0xFF000001u);
    EXPECT_EQ(bytesToLong("\x01\x02\x03"s), 0u);  // wrong length
    EXPECT_EQ(bytesToLong("\x01\x02\x03\x04\x05"s), 0u);
    for (std::uint32_t v : {0u, 1u, 0xFFFFu, 0x10000u, 0xFFFFFFFFu})
        EXPECT_EQ(bytesToLong(longToBytes(v)), v);
}

TEST(WireNumbers, AddressListsBytesFromLastToFirst) {
    EXPECT_EQ(bytesToAddress("\x01\x00\x00\x7F"s), "127.0.0.1");
    EXPECT_EQ(bytesToAddress("\x01\x02\x03\x04"s), "4.3.2.1");
}

TEST(HexUnitText, RoundTripsAndIgnoresOddByte) {
    EXPECT_EQ(unitsToWide("\x4E\x2D\x00\x41\x7A"s), u"\u4E2D\u0041");
    EXPECT_EQ(unitsToWide(""), u"");
    const std::u16string w = u"中文 abc \U0001F600";
    EXPECT_EQ(wideToUnits(w).size(), w.size() * 2);
    EXPECT_EQ(unitsToWide(wideToUnits(w)), w);
}

TEST(FourHexDigitText, GroupsOfFour) {
    EXPECT_EQ(wideToHex(u"\u4E2D\u0041"), "4E2D0041");
    EXPECT_EQ(hexToWide("4E2"), u"");
    EXPECT_EQ(hexToWide("4E2D41"), u"\u4E2D");
    EXPECT_EQ(hexToWide(wideToHex(u"研究室")), u"研究室");
    EXPECT_EQ(hexDigitValue('0'), 0);
    EXPECT_EQ(hexDigitValue('F'), 15);
    EXPECT_EQ(hexDigitValue(' '), 0);  // below '0' clamps to 0
}

}  // namespace
}  // namespace veld
