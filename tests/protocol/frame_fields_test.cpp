// Fields by 1-based frame position, trimming, and the 4-byte address form.
#include "protocol/frame_fields.h"

#include <gtest/gtest.h>

#include "protocol/wire.h"

namespace veld {
namespace {

TEST(FrameFields, CutByPositionAndClipAtTheEnd) {
    const std::string frame = std::string("\x00\x06", 2) + "UGabcd";
    EXPECT_EQ(frameField(frame, 3, 2), "UG");
    EXPECT_EQ(frameField(frame, 5, 10), "abcd");
    EXPECT_EQ(frameField(frame, 9, 2), "");
    EXPECT_EQ(frameField(frame, 0, 2), "");
    EXPECT_EQ(frameRest(frame, 7), "cd");
    EXPECT_EQ(frameRest(frame, 9), "");
}

TEST(FrameFields, TrimSpacesOnly) {
    EXPECT_EQ(trimSpaces("  a b \t "), "a b \t");
    EXPECT_EQ(trimSpaces("     "), "");
}

TEST(FrameFields, AddressBytesInvertBytesToAddress) {
    for (const char* text : {"127.0.0.1", "1.0.0.10", "255.255.255.255", "0.0.0.0"}) {
        const auto bytes = tryAddressToBytes(text);
        ASSERT_TRUE(bytes) << text;
        EXPECT_EQ(bytesToAddress(*bytes), text);
    }
    EXPECT_EQ(tryAddressToBytes("127.0.0.1"), std::string("\x01\x00\x00\x7F", 4));
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.0.0.1", "1..2.3", "1.2.3.", "::1",
                            "1.2.3.0004", "a.b.c.d"})
        EXPECT_FALSE(tryAddressToBytes(bad)) << bad;
}

}  // namespace
}  // namespace veld
