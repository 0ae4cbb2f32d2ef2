#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fakes/fake_ports.h"
#include "fakes/recording_canvas.h"
#include "go/board_look.h"
#include "go/board_view_helpers.h"
#include "go/go_browser.h"
#include "go/go_image.h"
#include "go/go_show.h"

namespace veld {
namespace {

using testing::DrawCall;
using testing::RecordingCanvas;
using Kind = DrawCall::Kind;

Bitmap32 filled(int width, int height, std::uint32_t colour) {
    return {width, height,
            std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), colour)};
}

// A 400 x 380 board picture (spacing 20, radius 10, line 1 at (20, 10)) with a 50 x 40 texture
// and 40 x 40 stone pictures.
struct BoardPicture : ::testing::Test {
    RecordingCanvas canvas{400, 380};
    BoardPictures pictures;
    BoardLook look;
    TGoImage image{canvas, pictures, look};

    BoardPicture() {
        pictures.usePictures(filled(50, 40, 0xC09050), filled(40, 40, 0x101010),
                             filled(40, 40, 0xF0F0F0));
    }
    void setup(int n = 19) {
        image.setupBoard(n);
        canvas.clear();
    }
    const BoardGeometry& g() const { return image.geometry(); }
    int first(Kind kind) const {
        const auto calls = canvas.all(kind);
        return calls.empty() ? -1 : canvas.indexOf(calls.front());
    }
    int last(Kind kind) const {
        const auto calls = canvas.all(kind);
        return calls.empty() ? -1 : canvas.indexOf(calls.back());
    }
};

bool hasLine(const RecordingCanvas& canvas, PixelPoint from, PixelPoint to) {
    return std::ranges::any_of(canvas.calls, [&](const DrawCall& c) {
        return c.kind == Kind::line && c.from == from && c.to == to;
    });
}

TEST_F(BoardPicture, SetupDrawsTextureGridAndStarsThenSnapshotsThenHandsOverTheStones) {
    image.setupBoard(19);
    // The texture tiled with one pixel of overlap: 9 columns (step 49) by 10 rows (step 39).
    std::vector<const DrawCall*> tiles;
    for (const DrawCall* c : canvas.all(Kind::picture))
        if (c->picture == PictureId::boardTexture) tiles.push_back(c);
    ASSERT_EQ(tiles.size(), 90u) << canvas.log();
    EXPECT_EQ(tiles[0]->rect, (PixelRect{0, 0, 50, 40}));
    EXPECT_EQ(tiles[1]->rect, (PixelRect{49, 0, 50, 40}));
    EXPECT_EQ(tiles[9]->rect, (PixelRect{0, 39, 50, 40}));

    // 19 lines each way plus the doubled frame, black, one pixel wide.
    const auto lines = canvas.all(Kind::line);
    EXPECT_EQ(lines.size(), 42u);
    EXPECT_TRUE(std::ranges::all_of(
        lines, [](const DrawCall* c) { return c->colour == kRgbBlack && c->penWidth == 1; }));
    EXPECT_TRUE(hasLine(canvas, {20, 10}, {20, 370}));
    EXPECT_TRUE(hasLine(canvas, {19, 9}, {19, 371}));    // left of the first line
    EXPECT_TRUE(hasLine(canvas, {381, 9}, {381, 371}));  // right of the last
    EXPECT_TRUE(hasLine(canvas, {19, 9}, {381, 9}));     // above the first row
    EXPECT_TRUE(hasLine(canvas, {19, 371}, {381, 371}));

    const auto stars = canvas.all(Kind::circle);
    ASSERT_EQ(stars.size(), 9u);
    for (int x : {4, 10, 16})
        for (int y : {4, 10, 16}) {
            const DrawCall* star = canvas.circleAt(g().pointToPixel(x, y));
            ASSERT_NE(star, nullptr) << x << "," << y;
            EXPECT_EQ(star->radius, 3);
            EXPECT_EQ(star->colour, kRgbBlack);
        }

    const int snapshot = first(Kind::capture);
    EXPECT_LT(canvas.indexOf(tiles.back()), first(Kind::line));
    EXPECT_LT(last(Kind::line), first(Kind::circle));
    EXPECT_LT(last(Kind::circle), snapshot);
    const auto handed = canvas.all(Kind::setPicture);
    ASSERT_EQ(handed.size(), 3u);  // texture, then the stones scaled to the spacing
    EXPECT_EQ(handed[0]->picture, PictureId::boardTexture);
    EXPECT_LT(snapshot, canvas.indexOf(handed[1]));
    EXPECT_EQ(handed[1]->picture, PictureId::blackStone);
    EXPECT_EQ(handed[2]->picture, PictureId::whiteStone);
    for (int i : {1, 2}) {
        EXPECT_EQ(handed[i]->pixels.width, 20);
        EXPECT_EQ(handed[i]->pixels.height, 20);
    }
    EXPECT_TRUE(canvas.texts().empty());  // coordinates are off
}

TEST_F(BoardPicture, StarPointsOnlyOnNineteenLinesSizedBySpacing) {
    struct Case {
        int side, n;
        std::size_t stars;
        int radius;
    };
    const Case cases[] = {
        {19 * 8, 19, 9, 1},  {19 * 10, 19, 9, 2}, {19 * 19, 19, 9, 2},
        {19 * 20, 19, 9, 3}, {13 * 20, 13, 0, 0}, {9 * 40, 9, 0, 0},
    };
    for (const Case& c : cases) {
        canvas.resize(c.side, c.side);
        canvas.clear();
        image.setupBoard(c.n);
        const auto circles = canvas.all(Kind::circle);
        ASSERT_EQ(circles.size(), c.stars) << c.side << " " << c.n;
        for (const DrawCall* star : circles) EXPECT_EQ(star->radius, c.radius) << c.side;
    }
}

TEST_F(BoardPicture, OneTexelWideTextureStillCoversThePicture) {
    pictures.usePictures(filled(1, 1, 0x808080), {}, {});
    canvas.resize(30, 20);
    image.setupBoard(3);
    std::size_t tiles = 0;
    for (const DrawCall* c : canvas.all(Kind::picture))
        if (c->picture == PictureId::boardTexture) ++tiles;
    EXPECT_EQ(tiles, 600u);
}

TEST_F(BoardPicture, StonesArePicturesOrPlainDiscsAndErasingRestoresTheBackground) {
    setup();
    image.drawStone(4, 4, kBlack);
    image.drawStone(5, 4, kWhite);
    image.drawStone(6, 4, kEmpty);
    image.drawStone(7, 4, kRedDisc);
    const DrawCall* black = test::stonePictureAt(canvas, g(), kBlack, 4, 4);
    ASSERT_NE(black, nullptr) << canvas.log();
    EXPECT_EQ(black->rect, (PixelRect{70, 60, 20, 20}));
    EXPECT_EQ(black->source, (PixelRect{0, 0, 20, 20}));
    EXPECT_NE(test::stonePictureAt(canvas, g(), kWhite, 5, 4), nullptr);
    const DrawCall* erased = test::erasedAt(canvas, g(), 6, 4);
    ASSERT_NE(erased, nullptr);
    EXPECT_EQ(erased->source, erased->rect);
    const DrawCall* red = canvas.circleAt(g().pointToPixel(7, 4));
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->colour, kRgbRed);
    EXPECT_EQ(red->radius, 10);
    EXPECT_EQ(canvas.calls.size(), 4u);

    // Points off the board and unknown colours draw nothing.
    canvas.clear();
    for (auto [x, y] : {std::pair{0, 4}, {4, 0}, {20, 4}, {4, 20}, {-1, -1}})
        image.drawStone(x, y, kBlack);
    image.drawStone(4, 4, 3);
    EXPECT_TRUE(canvas.calls.empty()) << canvas.log();

    pictures.usePlainColour(0x336699);
    setup();
    EXPECT_TRUE(canvas.all(Kind::setPicture).empty());
    image.drawStone(4, 4, kBlack);
    image.drawStone(5, 4, kWhite);
    const DrawCall* plainBlack = canvas.circleAt(g().pointToPixel(4, 4));
    const DrawCall* plainWhite = canvas.circleAt(g().pointToPixel(5, 4));
    ASSERT_TRUE(plainBlack && plainWhite);
    EXPECT_EQ(plainBlack->colour, kRgbBlack);
    EXPECT_EQ(plainWhite->colour, kRgbWhite);
    EXPECT_EQ(plainWhite->outline, kRgbBlack);
    EXPECT_EQ(plainWhite->radius, 10);
}

TEST_F(BoardPicture, MarksRedrawThePointThenDrawInTheContrastingColour) {
    setup();
    const std::u16string triangle(1, kTriangleMark), square(1, kSquareMark);
    image.drawLabel(4, 4, triangle, kBlack);
    ASSERT_EQ(canvas.calls.size(), 2u) << canvas.log();
    EXPECT_EQ(canvas.calls[0].picture, PictureId::blackStone);
    EXPECT_EQ(canvas.calls[1].kind, Kind::polygon);
    EXPECT_EQ(canvas.calls[1].colour, kRgbWhite);
    // Apex radius - 2 above the centre (80, 70); base corners 7 to each side, radius / 2 below.
    EXPECT_EQ(canvas.calls[1].corners, (std::vector<PixelPoint>{{80, 62}, {73, 75}, {87, 75}}));

    canvas.clear();
    image.drawLabel(4, 4, triangle, kEmpty);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].picture, PictureId::background);
    EXPECT_EQ(canvas.calls[1].colour, kRgbBlack);

    canvas.clear();
    image.drawLabel(4, 4, square, kWhite);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].picture, PictureId::whiteStone);
    EXPECT_EQ(canvas.calls[1].kind, Kind::rect);
    EXPECT_EQ(canvas.calls[1].rect, (PixelRect{75, 65, 10, 10}));  // half side 10 * 2 / 3 - 1
    EXPECT_EQ(canvas.calls[1].colour, kRgbBlack);

    canvas.clear();
    image.drawLabel(4, 4, u"", kBlack);
    image.drawLabel(0, 4, u"A", kBlack);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(BoardPicture, TextLabelsSitCentredOverTheStoneOrOverTexture) {
    setup();
    struct Case {
        std::u16string label;
        int colour;
        PixelRect box;
        Rgb ink;
        PictureId under;
    };
    const PixelRect centred{70, 60, 20, 20};
    const PixelRect nudged{71, 60, 20, 20};
    const Case cases[] = {
        {u"7", kEmpty, centred, kRgbBlack, PictureId::boardTexture},
        {u"12", kEmpty, nudged, kRgbBlack, PictureId::boardTexture},  // two digits: one right
        {u"99", kBlack, nudged, kRgbWhite, PictureId::blackStone},
        {u"100", kWhite, centred, kRgbBlack, PictureId::whiteStone},
        {u"05", kEmpty, centred, kRgbBlack, PictureId::boardTexture},
        {u"A", kBlack, centred, kRgbWhite, PictureId::blackStone},
    };
    for (const Case& c : cases) {
        canvas.clear();
        image.drawLabel(4, 4, c.label, c.colour);
        ASSERT_EQ(canvas.calls.size(), 2u) << canvas.log();
        EXPECT_EQ(canvas.calls[0].picture, c.under);
        EXPECT_EQ(canvas.calls[0].rect, centred);
        const DrawCall& text = canvas.calls[1];
        EXPECT_EQ(text.text, c.label);
        EXPECT_EQ(text.rect, c.box) << text.describe();
        EXPECT_EQ(text.style.colour, c.ink);
        EXPECT_EQ(text.style.pixelHeight, 13);  // spacing * 2 / 3
    }
    // The texture piece under (70, 60): where the tiling put it (step 49 x 39), kept inside the
    // 50 x 40 texture.
    canvas.clear();
    image.drawLabel(4, 4, u"7", kEmpty);
    EXPECT_EQ(canvas.calls[0].source, (PixelRect{21, 20, 20, 20}));
}

TEST_F(BoardPicture, LastMoveCrossFollowsTheCrossColourSetting) {
    struct Case {
        CrossColour setting;
        int stone;
        Rgb ink;
    };
    const Case cases[] = {
        {CrossColour::contrast, kBlack, kRgbWhite},
        {CrossColour::contrast, kWhite, kRgbBlack},
        {CrossColour::red, kBlack, kRgbRed},
        {CrossColour::red, kWhite, kRgbRed},
    };
    for (const Case& c : cases) {
        look.cross = c.setting;
        setup();
        image.drawLastMoveCross(4, 4, c.stone);
        ASSERT_EQ(canvas.calls.size(), 2u);
        const DrawCall& across = canvas.calls[0];
        const DrawCall& down = canvas.calls[1];
        EXPECT_EQ(across.from, (PixelPoint{70, 70}));
        EXPECT_EQ(across.to, (PixelPoint{89, 70}));
        EXPECT_EQ(down.from, (PixelPoint{80, 60}));
        EXPECT_EQ(down.to, (PixelPoint{80, 79}));
        for (const DrawCall* line : {&across, &down}) {
            EXPECT_EQ(line->colour, c.ink);
            EXPECT_EQ(line->penWidth, 2);
        }
    }
    canvas.clear();
    image.drawLastMoveCross(0, 0, kBlack);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(BoardPicture, CoordinatesAroundTheBoardWhenOn) {
    look.coordinates = true;
    image.setupBoard(19);
    const int snapshot = first(Kind::capture);
    const auto texts = canvas.all(Kind::text);
    ASSERT_EQ(texts.size(), 38u);
    EXPECT_GT(canvas.indexOf(texts.front()), snapshot);  // not part of the erasing background
    // Letters A.. S (I included) centred under the columns, 16 pixels above the bottom edge.
    EXPECT_NE(canvas.textNear(u"A", {20, 371}), nullptr) << canvas.log();
    EXPECT_NE(canvas.textNear(u"I", {180, 371}), nullptr);
    EXPECT_NE(canvas.textNear(u"S", {380, 371}), nullptr);
    // Numbers from 19 at the top, left-aligned 22 pixels before line 1, small ones padded.
    const DrawCall* top = canvas.textNear(u"19", {9, 10});
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->rect.left, -2);
    EXPECT_EQ(top->style.align, TextAlign::left);
    EXPECT_EQ(top->style.pixelHeight, 14);
    EXPECT_NE(canvas.textNear(u"  9", {9, 210}), nullptr);
    EXPECT_NE(canvas.textNear(u"  1", {9, 370}), nullptr);

    // Labels drawn afterwards are back at the label font.
    canvas.clear();
    image.drawLabel(4, 4, u"A", kEmpty);
    EXPECT_EQ(canvas.all(Kind::text).front()->style.pixelHeight, 13);
}

TEST_F(BoardPicture, CoordinatesOffClearTheirStripsFromTheBackground) {
    image.setupBoard(19);
    EXPECT_TRUE(canvas.texts().empty());
    EXPECT_NE(canvas.pictureInto(PictureId::background, {0, 364, 400, 16}), nullptr);
    EXPECT_NE(canvas.pictureInto(PictureId::background, {0, 0, 19, 380}), nullptr);
}

TEST(BoardLookSettings, StoredValuesAsStartUpReadsThem) {
    const std::pair<const char*, BoardSet> sets[] = {
        {"A", BoardSet::a}, {"B", BoardSet::b}, {"C", BoardSet::c}, {"D", BoardSet::d},
        {"E", BoardSet::b}, {"", BoardSet::b},  {"a", BoardSet::b},
    };
    for (auto [stored, set] : sets) EXPECT_EQ(boardSetAtStartup(stored), set) << stored;
    EXPECT_EQ(boardSetLetter(BoardSet::ownColour), "E");

    testing::FakeSettingsStore settings;
    EXPECT_EQ(BoardLook::fromSettings(settings).cross, CrossColour::contrast);
    EXPECT_FALSE(BoardLook::fromSettings(settings).coordinates);
    const std::pair<const char*, CrossColour> crosses[] = {
        {"N", CrossColour::contrast}, {"R", CrossColour::red}, {"x", CrossColour::red}};
    for (auto [stored, cross] : crosses) {
        settings.values["gocrosscolor"] = stored;
        EXPECT_EQ(BoardLook::fromSettings(settings).cross, cross) << stored;
    }
    settings.values["boardindex"] = "1";
    EXPECT_TRUE(BoardLook::fromSettings(settings).coordinates);
    settings.values["boardindex"] = "2";
    EXPECT_FALSE(BoardLook::fromSettings(settings).coordinates);
}

TEST(BoardPicturesCache, StonesAreScaledOncePerSpacing) {
    BoardPictures pictures;
    EXPECT_TRUE(pictures.plainStones());
    pictures.usePictures(filled(8, 8, 0x404040), filled(40, 40, 0x000000),
                         filled(40, 40, 0xFFFFFF));
    ASSERT_FALSE(pictures.plainStones());
    const Bitmap32* first = &pictures.scaledStone(kBlack, 20);
    EXPECT_EQ(first->width, 20);
    EXPECT_EQ(first->pixels.front(), 0x000000u);
    EXPECT_EQ(pictures.scaledStone(kWhite, 20).pixels.front(), 0xFFFFFFu);
    EXPECT_EQ(&pictures.scaledStone(kBlack, 20), first);  // the same copy, not scaled again
    EXPECT_EQ(pictures.scaledStone(kBlack, 0).width, 0);
    pictures.usePictures(filled(8, 8, 0), filled(40, 40, 0), {});
    EXPECT_TRUE(pictures.plainStones());  // a missing stone picture
}

// The game window drives the picture: the empty board, stones, markup over them, then the cross.
TEST_F(BoardPicture, WindowRedrawsInLayers) {
    DrawingSettings drawing;
    GoBrowser window(drawing);
    ASSERT_TRUE(window.loadFromText("(;SZ[9]AB[cc];B[ee];W[dc]LB[cc:A])"));
    window.moveBy(999);
    window.views.board = &image;
    window.isShown = true;
    window.redrawAll();
    const int snapshot = first(Kind::capture);
    const int stone = canvas.indexOf(test::stonePictureAt(canvas, g(), kBlack, 3, 3));
    const int label = canvas.indexOf(test::textOn(canvas, g(), u"A", 3, 3));
    const auto lines = canvas.all(Kind::line);
    const int cross = canvas.indexOf(lines.back());
    EXPECT_EQ(g().n, 9);
    EXPECT_LT(snapshot, stone) << canvas.log();
    EXPECT_LT(stone, label);
    EXPECT_LT(label, cross);
    EXPECT_EQ(lines.back()->penWidth, 2);
    EXPECT_EQ(lines.back()->from.x, g().pointToPixel(4, 3).x);

    // A resized picture is laid out again on the next redraw.
    canvas.resize(190, 190);
    canvas.clear();
    window.redrawAll();
    EXPECT_EQ(g().spacing, 20);
    EXPECT_NE(test::stonePictureAt(canvas, g(), kWhite, 4, 3), nullptr);
}

}  // namespace
}  // namespace veld
