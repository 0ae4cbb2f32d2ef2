#include "go/board_sets.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "go/point.h"

namespace veld {
namespace {

constexpr BoardSet kSets[] = {BoardSet::a, BoardSet::b, BoardSet::c, BoardSet::d};

std::string nameOf(BoardSet set) {
    return "set " + boardSetLetter(set);
}

std::uint32_t pixelAt(const Bitmap32& b, int x, int y) {
    return b.pixels[static_cast<std::size_t>(y * b.width + x)];
}

int luminance(std::uint32_t p) {
    return (299 * ((p >> 16) & 0xFF) + 587 * ((p >> 8) & 0xFF) + 114 * (p & 0xFF)) / 1000;
}

int channelDistance(std::uint32_t a, std::uint32_t b) {
    int sum = 0;
    for (int shift : {0, 8, 16}) {
        const int from = static_cast<int>((a >> shift) & 0xFF);
        const int to = static_cast<int>((b >> shift) & 0xFF);
        sum += std::abs(from - to);
    }
    return sum;
}

// The mean colour distance between column (or row) a and column (or row) b of the texture.
double lineDistance(const Bitmap32& t, int a, int b, bool columns) {
    double sum = 0;
    for (int i = 0; i < t.height; ++i)
        sum += columns ? channelDistance(pixelAt(t, a, i), pixelAt(t, b, i))
                       : channelDistance(pixelAt(t, i, a), pixelAt(t, i, b));
    return sum / t.height;
}

double meanLuminance(const Bitmap32& b) {
    double sum = 0;
    for (std::uint32_t p : b.pixels) sum += luminance(p);
    return sum / static_cast<double>(b.pixels.size());
}

TEST(BoardSets, EachSetIsTheSameEveryTimeWithItsSizesAndReadableStones) {
    for (BoardSet set : kSets) {
        SCOPED_TRACE(nameOf(set));
        const SetPictures p = builtInSet(set);
        ASSERT_TRUE(p.texture.isValid());
        ASSERT_TRUE(p.blackStone.isValid());
        ASSERT_TRUE(p.whiteStone.isValid());
        EXPECT_EQ(p.texture.width, kBoardTextureSide);
        EXPECT_EQ(p.texture.height, kBoardTextureSide);
        EXPECT_EQ(p.blackStone.width, kStonePictureSide);
        EXPECT_EQ(p.whiteStone.height, kStonePictureSide);

        const SetPictures again = builtInSet(set);
        EXPECT_EQ(again.texture.pixels, p.texture.pixels);
        EXPECT_EQ(again.blackStone.pixels, p.blackStone.pixels);
        EXPECT_EQ(again.whiteStone.pixels, p.whiteStone.pixels);

        // The stones read at the smallest and a HiDPI size as the board scales them.
        BoardPictures pictures;
        useBoardSet(pictures, set);
        EXPECT_FALSE(pictures.plainStones());
        for (int side : {12, 60, kStonePictureSide}) {
            SCOPED_TRACE("side " + std::to_string(side));
            const Bitmap32 black = pictures.scaledStone(kBlack, side);
            const Bitmap32 white = pictures.scaledStone(kWhite, side);
            EXPECT_LT(luminance(pixelAt(black, side / 2, side / 2)), 80);
            EXPECT_GT(luminance(pixelAt(white, side / 2, side / 2)), 180);
        }
        // No pixel of a texture is the colour of the grid lines.
        for (std::uint32_t pixel : p.texture.pixels) ASSERT_GT(luminance(pixel), 40);
    }
}

TEST(BoardSets, TexturesTileWithoutSeams) {
    // Copies are laid one pixel over each other: column 255 is covered by the next copy's column
    // 0, so column 254 meets column 0. That seam must be no rougher than the texture itself.
    const int last = kBoardTextureSide - 1;
    for (BoardSet set : kSets) {
        SCOPED_TRACE(nameOf(set));
        const Bitmap32 t = builtInSet(set).texture;
        EXPECT_EQ(lineDistance(t, 0, last, true), 0);
        EXPECT_EQ(lineDistance(t, 0, last, false), 0);
        for (bool columns : {true, false}) {
            double inside = 0;
            for (int i = 0; i + 1 < last; ++i) inside += lineDistance(t, i, i + 1, columns);
            inside /= last - 1;
            EXPECT_LE(lineDistance(t, last - 1, 0, columns), 2 * inside) << columns;
        }
    }
}

TEST(BoardSets, SetsLookDifferent) {
    const SetPictures a = builtInSet(BoardSet::a);
    const SetPictures b = builtInSet(BoardSet::b);
    const SetPictures c = builtInSet(BoardSet::c);
    const SetPictures d = builtInSet(BoardSet::d);
    EXPECT_NE(a.texture.pixels, d.texture.pixels);
    EXPECT_NE(a.texture.pixels, b.texture.pixels);
    // C is the dark board.
    EXPECT_LT(meanLuminance(c.texture), meanLuminance(b.texture) - 40);
    // Slate and shell against glass.
    EXPECT_NE(a.blackStone.pixels, b.blackStone.pixels);
    EXPECT_NE(a.whiteStone.pixels, b.whiteStone.pixels);
}

TEST(BoardSets, OwnColourHasNoPicturesAndLeavesThePicturesAlone) {
    const SetPictures own = builtInSet(BoardSet::ownColour);
    EXPECT_FALSE(own.texture.isValid());
    EXPECT_FALSE(own.blackStone.isValid());

    BoardPictures pictures;
    useBoardSet(pictures, BoardSet::c);
    const Bitmap32 texture = pictures.texture();
    useBoardSet(pictures, BoardSet::ownColour);
    EXPECT_EQ(pictures.texture().pixels, texture.pixels);
    EXPECT_FALSE(pictures.plainStones());
}

}  // namespace
}  // namespace veld
