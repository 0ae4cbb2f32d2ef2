#include "go/board_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace veld {
namespace {

TEST(BoardGeometry, LayoutTakesTheLargestEvenSpacingAndCentresTheBoard) {
    struct Case {
        int width, n, height;
        int lines, spacing, originX, originY;
    };
    const Case cases[] = {
        {400, 19, 380, 19, 20, 20, 10},  // 380 / 19 = 20
        {400, 19, 400, 19, 20, 20, 20},  // 21 is odd
        {300, 9, 500, 9, 32, 22, 122},   // 33 is odd
        {100, 0, 100, 19, 4, 14, 14},    // 0 lines is 19
        {100, -3, 100, 19, 4, 14, 14},   // so is a negative count
        {13, 3, 13, 3, 4, 2, 2},         //
        {30, 19, 30, 19, 0, 15, 15},     // too small for two pixels a line
        {-5, 19, 100, 19, 0, -2, 50},    // a picture not yet sized
    };
    for (const Case& c : cases) {
        const BoardGeometry g = BoardGeometry::layout(c.width, c.n, c.height);
        EXPECT_EQ(g.n, c.lines) << c.width << "x" << c.height << " n " << c.n;
        EXPECT_EQ(g.spacing, c.spacing) << c.width << "x" << c.height << " n " << c.n;
        EXPECT_EQ(g.radius, c.spacing / 2);
        EXPECT_EQ(g.originX, c.originX) << c.width << "x" << c.height << " n " << c.n;
        EXPECT_EQ(g.originY, c.originY) << c.width << "x" << c.height << " n " << c.n;
    }
    const BoardGeometry g = BoardGeometry::layout(400, 19, 380);
    EXPECT_EQ(g.span(), 360);
    EXPECT_EQ(g.pointToPixel(1, 1), (PixelPoint{20, 10}));
    EXPECT_EQ(g.pointToPixel(19, 19), (PixelPoint{380, 370}));
    EXPECT_EQ(g.pointSquare(4, 4), (PixelRect{70, 60, 20, 20}));
}

// Every point's pixel, and every pixel up to radius away, comes back to the point; one pixel
// further goes to the neighbour (or off the board).
TEST(BoardGeometry, PixelsRoundTripToTheNearestPointOnEverySize) {
    const int pictures[][2] = {{57, 57}, {200, 150}, {400, 380}, {641, 480}, {1000, 1000}};
    for (int n = 3; n <= 19; ++n) {
        for (const auto& size : pictures) {
            const BoardGeometry g = BoardGeometry::layout(size[0], n, size[1]);
            ASSERT_GE(g.spacing, 2) << n;
            auto at = [&g](int px, int py) { return g.pixelToPoint(px, py); };
            for (int x = 1; x <= n; ++x) {
                for (int y = 1; y <= n; ++y) {
                    const PixelPoint p = g.pointToPixel(x, y);
                    const BoardPoint here{x, y};
                    EXPECT_EQ(at(p.x, p.y), here) << n << " " << x << "," << y;
                    EXPECT_EQ(at(p.x + g.radius, p.y + g.radius), here);
                    EXPECT_EQ(at(p.x - g.radius + 1, p.y - g.radius + 1), here);
                    const std::optional<BoardPoint> next =
                        x < n ? std::optional<BoardPoint>(BoardPoint{x + 1, y}) : std::nullopt;
                    EXPECT_EQ(at(p.x + g.radius + 1, p.y), next) << n << " " << x << "," << y;
                }
            }
        }
    }
}

TEST(BoardGeometry, ClicksBetweenLinesAndOutsideTheBoard) {
    const BoardGeometry g = BoardGeometry::layout(400, 19, 380);  // spacing 20, origin (20, 10)
    struct Case {
        int px, py;
        std::optional<BoardPoint> point;
    };
    const int line4 = 80;  // x of line 4
    const int mid = 190;   // y of line 10
    const Case cases[] = {
        {line4, mid, BoardPoint{4, 10}},
        {line4 + 10, mid, BoardPoint{4, 10}},  // radius past the line: still this line
        {line4 + 11, mid, BoardPoint{5, 10}},  // one more: the next line
        {line4 - 9, mid, BoardPoint{4, 10}},
        {line4 - 10, mid, BoardPoint{3, 10}},  // half-way goes to the earlier line
        {20 - 9, mid, BoardPoint{1, 10}},      // just left of the first line
        {20 - 10, mid, std::nullopt},          // half-way to a line that is not there
        {20 - 11, mid, std::nullopt},          // more than radius left of it
        {20 - 15, mid, std::nullopt},
        {380 + 10, mid, BoardPoint{19, 10}},
        {380 + 11, mid, std::nullopt},
        {line4, 10 - 11, std::nullopt},   // above the top line
        {line4, 370 + 11, std::nullopt},  // below the bottom line
        {-1000, -1000, std::nullopt},
        {INT_MIN, INT_MAX, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(g.pixelToPoint(c.px, c.py), c.point) << c.px << "," << c.py;
}

TEST(BoardGeometry, NoPixelIsOnAPointWithoutALayout) {
    EXPECT_EQ(BoardGeometry{}.pixelToPoint(0, 0), std::nullopt);
    const BoardGeometry tiny = BoardGeometry::layout(30, 19, 30);
    EXPECT_EQ(tiny.pixelToPoint(15, 15), std::nullopt);
}

}  // namespace
}  // namespace veld
