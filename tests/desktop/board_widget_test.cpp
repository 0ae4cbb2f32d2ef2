// The board picture on screen: what the board view draws lands on the right pixels, erasing a
// point brings the empty board back exactly, presses come back as pixels of points, and a
// hidden or empty widget takes drawing without harm.
#include "board/board_widget.h"

#include <gtest/gtest.h>

#include <QTest>
#include <optional>
#include <string>

#include "go/board_sets.h"
#include "go/point.h"

namespace veld::desktop {
namespace {

struct Look {
    std::string name;
    std::optional<BoardSet> set;  // none: a plain colour of the user's, with plain stones
};

// A shown board picture of the size, with the look's pictures.
struct Board {
    BoardPictures pictures;
    BoardLook look;
    BoardWidget widget{pictures, look};

    explicit Board(const Look& chosen = {"B", BoardSet::b}, QSize size = {400, 380}) {
        if (chosen.set) {
            useBoardSet(pictures, *chosen.set);
        } else {
            pictures.usePlainColour(0x5A9BD5);
        }
        widget.resize(size);
        widget.show();
    }
    const BoardGeometry& g() const { return widget.geometry(); }
    int grey(PixelPoint p) const { return qGray(widget.picture().pixel(p.x, p.y)); }
    int greyAt(int x, int y) const { return grey(g().pointToPixel(x, y)); }
};

PixelPoint offset(PixelPoint p, int dx, int dy) {
    return {p.x + dx, p.y + dy};
}

TEST(BoardWidget, DrawsTheBoardStonesAndMarksWhereTheGeometrySays) {
    Board board;
    board.widget.image().setupBoard(19);
    const QImage empty = board.widget.picture();
    ASSERT_EQ(empty.size(), QSize(400, 380));
    const BoardGeometry& g = board.g();
    EXPECT_EQ(g.spacing, 20);
    EXPECT_EQ((PixelPoint{g.originX, g.originY}), (PixelPoint{20, 10}));

    // The star point's dot beside the crossing lines, and no dot at an ordinary crossing.
    EXPECT_LT(board.grey(offset(g.pointToPixel(10, 10), -1, -1)), 40);
    EXPECT_GT(board.grey(offset(g.pointToPixel(9, 9), -1, -1)), 100);
    // Lines are one exact pixel: the pixel beside a line is board.
    EXPECT_LT(board.greyAt(7, 7), 40);
    EXPECT_GT(board.grey(offset(g.pointToPixel(7, 7), 1, 5)), 100);
    // The middle of a cell is board colour.
    EXPECT_GT(board.grey(offset(g.pointToPixel(7, 7), g.radius, g.radius)), 100);

    TGoImage& image = board.widget.image();
    image.drawStone(4, 4, kBlack);
    image.drawStone(16, 16, kWhite);
    EXPECT_LT(board.greyAt(4, 4), 80);
    EXPECT_GT(board.greyAt(16, 16), 180);
    // A stone is round: the corner of its square still shows the empty board.
    const PixelRect square = g.pointSquare(4, 4);
    EXPECT_EQ(board.widget.picture().pixel(square.left, square.top),
              empty.pixel(square.left, square.top));

    // Erasing takes everything drawn on the point: stone, number and cross.
    image.drawLabel(4, 4, u"42", kBlack);
    image.drawLastMoveCross(16, 16, kWhite);
    image.drawLabel(10, 3, u"\u0001", 0);
    image.drawLabel(11, 3, u"7", 0);
    for (auto [x, y] : {std::pair{4, 4}, {16, 16}, {10, 3}, {11, 3}}) image.drawStone(x, y, 0);
    EXPECT_TRUE(board.widget.picture() == empty);
}

TEST(BoardWidget, PressesComeBackAsPixelsOfPoints) {
    Board board;
    board.widget.image().setupBoard(19);
    std::vector<std::pair<PixelPoint, MouseButton>> presses;
    QObject::connect(&board.widget, &BoardWidget::pressed,
                     [&](PixelPoint at, MouseButton button) { presses.emplace_back(at, button); });
    const PixelPoint near = offset(board.g().pointToPixel(5, 3), 4, -3);
    QTest::mouseClick(&board.widget, Qt::LeftButton, {}, QPoint(near.x, near.y));
    QTest::mouseClick(&board.widget, Qt::RightButton, {}, QPoint(near.x, near.y));
    QTest::mouseClick(&board.widget, Qt::MiddleButton, {}, QPoint(3, 3));
    ASSERT_EQ(presses.size(), 3u);
    EXPECT_EQ(presses[0], std::pair(near, MouseButton::left));
    EXPECT_EQ(presses[1].second, MouseButton::right);
    EXPECT_EQ(presses[2], std::pair(PixelPoint{3, 3}, MouseButton::other));
    EXPECT_EQ(board.g().pixelToPoint(near.x, near.y), (BoardPoint{5, 3}));
    EXPECT_EQ(board.g().pixelToPoint(3, 3), std::nullopt);
}

TEST(BoardWidget, EveryLookKeepsStonesReadableAndErasable) {
    const Look looks[] = {{"A", BoardSet::a},
                          {"B", BoardSet::b},
                          {"C", BoardSet::c},
                          {"D", BoardSet::d},
                          {"own colour", std::nullopt}};
    // Spacing 20, and the smallest usual spacing 12.
    for (QSize size : {QSize(400, 380), QSize(240, 240)}) {
        for (const Look& look : looks) {
            SCOPED_TRACE(look.name + " at " + std::to_string(size.width()));
            Board board(look, size);
            TGoImage& image = board.widget.image();
            image.setupBoard(19);
            const QImage empty = board.widget.picture();
            image.drawStone(3, 3, kBlack);
            image.drawStone(4, 3, kWhite);
            EXPECT_LT(board.greyAt(3, 3), 80);
            EXPECT_GT(board.greyAt(4, 3), 180);
            image.drawStone(3, 3, 0);
            image.drawStone(4, 3, 0);
            EXPECT_TRUE(board.widget.picture() == empty);
        }
    }
}

TEST(BoardWidget, FollowsItsSizeAndTakesDrawingWhileHiddenOrEmpty) {
    BoardPictures pictures;
    useBoardSet(pictures, BoardSet::b);
    const BoardLook look;
    BoardWidget widget(pictures, look);
    int relaidOut = 0;
    QObject::connect(&widget, &BoardWidget::relaidOut, [&] { ++relaidOut; });
    auto drawSome = [&] {
        widget.image().setupBoard(13);
        widget.image().drawStone(4, 4, kBlack);
        widget.image().drawLabel(5, 5, u"12", 0);
        widget.image().drawLastMoveCross(4, 4, kBlack);
    };

    // Never shown: nothing to draw on yet.
    drawSome();
    EXPECT_TRUE(widget.picture().isNull());

    // Shown: a picture of the widget's size, laid out again for the board's 13 lines.
    widget.resize(300, 200);
    widget.show();
    EXPECT_EQ(relaidOut, 1);
    EXPECT_EQ(widget.picture().size(), QSize(300, 200));
    EXPECT_EQ(widget.geometry().n, 13);
    EXPECT_EQ(widget.geometry().spacing, 14);
    drawSome();
    EXPECT_LT(qGray(widget.picture().pixel(widget.geometry().pointToPixel(4, 4).x + 2,
                                           widget.geometry().pointToPixel(4, 4).y + 2)),
              80);

    // Squeezed to nothing, then to a sliver.
    widget.resize(0, 0);
    EXPECT_EQ(relaidOut, 2);
    EXPECT_TRUE(widget.picture().isNull());
    drawSome();
    EXPECT_EQ(widget.geometry().pixelToPoint(0, 0), std::nullopt);
    widget.resize(5, 1);
    drawSome();
    EXPECT_EQ(widget.picture().size(), QSize(5, 1));
    widget.repaint();
}

}  // namespace
}  // namespace veld::desktop
