#include "protocol/frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace veld {
namespace {

using namespace std::string_literals;

struct Reader {
    std::shared_ptr<ConnectionContext> context = std::make_shared<ConnectionContext>();
    std::vector<std::string> frames;

    ReadResult read(std::string_view bytes) {
        return FrameReader::socketRead(context, bytes,
                                       [&](std::string_view f) { frames.emplace_back(f); });
    }
};

struct ReadCase {
    const char* name;
    std::vector<std::string> reads;     // bytes of each read event
    std::vector<std::string> expected;  // frames dispatched, in order
    std::string leftOver;               // what stays in the buffer
};

class ReceiveLoop : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReceiveLoop, CutsFramesInOrder) {
    Reader reader;
    for (const auto& bytes : GetParam().reads) EXPECT_EQ(reader.read(bytes), ReadResult::Ok);
    EXPECT_EQ(reader.frames, GetParam().expected);
    EXPECT_EQ(reader.context->recvBuffer(), GetParam().leftOver);
    EXPECT_FALSE(reader.context->reading);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReceiveLoop,
    ::testing::Values(
        ReadCase{"TwoFramesInOneRead", {"\0\2SB\0\4T4xy"s}, {"\0\2SB"s, "\0\4T4xy"s}, ""},
        ReadCase{"SplitOverThreeReads", {"\0"s, "\5PX"s, "abc"s}, {"\0\5PXabc"s}, ""},
        ReadCase{"IncompleteFrameWaits", {"\0\6PXab"s}, {}, "\0\6PXab"s},
        // Exactly two bytes are never cut, even when they announce an empty message ...
        ReadCase{"TwoZeroBytesWait", {"\0\0"s}, {}, "\0\0"s},
        // ... and the empty frame goes out once more bytes arrive.
        ReadCase{"EmptyFrameCutLater", {"\0\0"s, "\0\2QQ"s}, {"\0\0"s, "\0\2QQ"s}, ""},
        ReadCase{"ShortFrameReachesDispatch", {"\0\1Xy"s}, {"\0\1X"s}, "y"},
        ReadCase{"LargestMessage",
                 {"\xFF\xFD"s + std::string(65533, 'a')},
                 {"\xFF\xFD"s + std::string(65533, 'a')},
                 ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReceiveLoop, UnframeableLengthDropsTheStream) {
    for (const std::string& prefix : {"\xFF\xFE"s, "\xFF\xFF"s}) {
        Reader reader;
        EXPECT_EQ(reader.read("\0\2SB"s + prefix + "zz"), ReadResult::Unframeable);
        EXPECT_EQ(reader.frames, std::vector<std::string>{"\0\2SB"s});
        EXPECT_TRUE(reader.context->recvBuffer().empty());
        EXPECT_FALSE(reader.context->reading);
    }
}

TEST(ReceiveLoop, BytesArrivingDuringAHandlerAreDispatchedAfterItInOrder) {
    auto context = std::make_shared<ConnectionContext>();
    std::vector<std::string> log;
    std::function<void(std::string_view)> dispatch = [&](std::string_view frame) {
        log.push_back("begin " + std::string(frame.substr(2)));
        if (frame.substr(2) == "A1") {
            // A modal box lets further read events of the same connection in.
            EXPECT_EQ(FrameReader::socketRead(context, "\0\2B2\0\2"s, dispatch), ReadResult::Ok);
            EXPECT_EQ(FrameReader::socketRead(context, "C3"s, dispatch), ReadResult::Ok);
        }
        log.push_back("end " + std::string(frame.substr(2)));
    };
    EXPECT_EQ(FrameReader::socketRead(context, "\0\2A1"s, dispatch), ReadResult::Ok);
    EXPECT_EQ(log, (std::vector<std::string>{"begin A1", "end A1", "begin B2", "end B2", "begin C3",
                                             "end C3"}));
}

TEST(ReceiveLoop, ReadingFlagIsClearedWhenAHandlerThrows) {
    Reader reader;
    EXPECT_THROW(FrameReader::socketRead(reader.context, "\0\2SB"s,
                                         [](std::string_view) { throw std::runtime_error("x"); }),
                 std::runtime_error);
    EXPECT_FALSE(reader.context->reading);
}

TEST(ReceiveLoop, ManySmallFramesInOneRead) {
    std::string stream;
    for (int i = 0; i < 100000; ++i) stream += "\0\3AB"s + static_cast<char>('0' + i % 10);
    Reader reader;
    EXPECT_EQ(reader.read(stream), ReadResult::Ok);
    ASSERT_EQ(reader.frames.size(), 100000u);
    EXPECT_EQ(reader.frames[99999], "\0\3AB9"s);
    EXPECT_TRUE(reader.context->recvBuffer().empty());
}

TEST(PackFrame, PrefixesTheLength) {
    EXPECT_EQ(packFrame("UG"), "\0\2UG"s);
    EXPECT_EQ(packFrame(""), "\0\0"s);
    EXPECT_EQ(packFrame(std::string(300, 'x')).substr(0, 2), "\1\x2C"s);
}

}  // namespace
}  // namespace veld
