#include "protocol/resample.h"

#include <gtest/gtest.h>

namespace veld {
namespace {

std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | g << 8 | b << 16;
}

Bitmap32 sized(int width, int height) {
    return {width, height, {}};
}

TEST(SpanWeights, CoverTheSourceSpanOfEachIndex) {
    struct Case {
        int dest, source, i;
        SpanWeights span;
    };
    const Case cases[] = {
        {2, 4, 0, {0, 1.0, 1, 1.0}},  // whole end: last is the pixel before it
        {2, 4, 1, {2, 1.0, 3, 1.0}},         {3, 4, 0, {0, 1.0, 1, 1.0 / 3}},  // [0, 4/3)
        {3, 4, 1, {1, 2.0 / 3, 2, 2.0 / 3}}, {3, 4, 2, {2, 1.0 / 3, 3, 1.0}},
        {4, 2, 1, {0, 0.5, 0, 0.5}},  // inside one pixel: the covered fraction
        {4, 2, 2, {1, 0.5, 1, 0.5}},         {3, 1, 1, {0, 1.0 / 3, 0, 1.0 / 3}},
        {1, 1, 0, {0, 1.0, 0, 1.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dest << " from " << c.source << " at " << c.i);
        const auto span = spanWeights(c.dest, c.source, c.i);
        ASSERT_TRUE(span);
        EXPECT_EQ(span->first, c.span.first);
        EXPECT_EQ(span->last, c.span.last);
        EXPECT_DOUBLE_EQ(span->firstWeight, c.span.firstWeight);
        EXPECT_DOUBLE_EQ(span->lastWeight, c.span.lastWeight);
    }
    EXPECT_EQ(spanWeights(0, 4, 0), std::nullopt);
    EXPECT_EQ(spanWeights(4, 0, 0), std::nullopt);
    EXPECT_EQ(spanWeights(4, 4, 4), std::nullopt);
    EXPECT_EQ(spanWeights(4, 4, -1), std::nullopt);
}

TEST(ResampleBitmap, AveragesByCoveredAreaAndRoundsTiesToEven) {
    // One row of four pixels down to two: each output is the mean of a pair.
    const Bitmap32 row{4, 1, {rgb(0, 10, 255), rgb(1, 20, 255), rgb(2, 0, 0), rgb(3, 0, 1)}};
    Bitmap32 half = sized(2, 1);
    ASSERT_TRUE(resampleBitmap(row, half));
    // 0.5 -> 0 and 2.5 -> 2 (ties to even), 15, 255, 0, 0.5 -> 0.
    EXPECT_EQ(half.pixels, (std::vector<std::uint32_t>{rgb(0, 15, 255), rgb(2, 0, 0)}));

    // Three to two: weights 1 and 1/2, then 1/2 and 1.
    const Bitmap32 three{3, 1, {rgb(30, 0, 0), rgb(90, 0, 0), rgb(60, 0, 0)}};
    Bitmap32 two = sized(2, 1);
    ASSERT_TRUE(resampleBitmap(three, two));
    EXPECT_EQ(two.pixels, (std::vector<std::uint32_t>{rgb(50, 0, 0), rgb(70, 0, 0)}));

    // 2 x 2 down to 1 x 1 weighs rows and columns alike.
    const Bitmap32 square{2, 2, {rgb(0, 0, 0), rgb(100, 0, 0), rgb(200, 0, 0), rgb(100, 4, 0)}};
    Bitmap32 one = sized(1, 1);
    ASSERT_TRUE(resampleBitmap(square, one));
    EXPECT_EQ(one.pixels, (std::vector<std::uint32_t>{rgb(100, 1, 0)}));
}

TEST(ResampleBitmap, UpscalingRepeatsPixelsAndClearsTheFourthByte) {
    const Bitmap32 source{2, 1, {0xFF112233u, 0x80445566u}};
    Bitmap32 wide = sized(4, 2);
    ASSERT_TRUE(resampleBitmap(source, wide));
    EXPECT_EQ(wide.pixels, (std::vector<std::uint32_t>{0x112233, 0x112233, 0x445566, 0x445566,
                                                       0x112233, 0x112233, 0x445566, 0x445566}));
    // Three from two: the middle pixel straddles both halves equally.
    Bitmap32 odd = sized(3, 1);
    const Bitmap32 pair{2, 1, {rgb(10, 0, 0), rgb(20, 0, 0)}};
    ASSERT_TRUE(resampleBitmap(pair, odd));
    EXPECT_EQ(odd.pixels,
              (std::vector<std::uint32_t>{rgb(10, 0, 0), rgb(15, 0, 0), rgb(20, 0, 0)}));
}

TEST(ResampleBitmap, EmptyOrInconsistentSizesAreSafe) {
    Bitmap32 destination{2, 2, {1, 2, 3, 4}};
    EXPECT_FALSE(resampleBitmap(sized(0, 5), destination));
    EXPECT_EQ(destination.pixels, (std::vector<std::uint32_t>(4, 0)));
    EXPECT_FALSE(resampleBitmap(Bitmap32{2, 2, {1, 2, 3}}, destination));  // too few pixels

    Bitmap32 empty{0, 3, {7, 7}};
    EXPECT_TRUE(resampleBitmap(Bitmap32{1, 1, {5}}, empty));
    EXPECT_TRUE(empty.pixels.empty());
    Bitmap32 negative{-2, 3, {}};
    EXPECT_TRUE(resampleBitmap(Bitmap32{1, 1, {5}}, negative));
    EXPECT_TRUE(negative.pixels.empty());
}

}  // namespace
}  // namespace veld
