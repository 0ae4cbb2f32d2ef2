// Draws one board on a canvas: the grid and star points of a layout, stones, labels and marks,
// the last-move cross and the coordinates. The same drawing serves a board picture on screen
// (stones as pictures, points erased from the background snapshot) and a printed page (plain
// stones on white paper, thicker lines).
#pragma once

#include <optional>
#include <string_view>

#include "go/board_geometry.h"
#include "go/board_look.h"
#include "go/canvas.h"
#include "go/tasso.h"  // kTriangleMark, kSquareMark

namespace veld {

// A colour of drawStone beyond the stones: a red disc.
inline constexpr int kRedDisc = 2;

class TGoShow {
  public:
    // Lays the board of n lines (19 for 0 or less) out in a width x height area of the canvas
    // and draws its grid and, on 19 lines, its star points. The canvas is drawn on from now on;
    // it must outlive the drawing.
    void layoutBoard(Canvas& canvas, int width, int n, int height, int penWidth);
    // The same for a geometry worked out by the caller (a printed page places the board itself).
    void layoutBoard(Canvas& canvas, const BoardGeometry& geometry, int penWidth);

    const BoardGeometry& geometry() const { return geometry_; }
    int n() const { return geometry_.n; }
    int spacing() const { return geometry_.spacing; }
    int radius() const { return geometry_.radius; }
    int originX() const { return geometry_.originX; }
    int originY() const { return geometry_.originY; }
    PixelPoint pointToPixel(int x, int y) const { return geometry_.pointToPixel(x, y); }
    std::optional<BoardPoint> pixelToPoint(int px, int py) const {
        return geometry_.pixelToPoint(px, py);
    }
    Canvas* canvas() const { return canvas_; }

    // Drawing for paper: stones are plain, nothing is erased, and a label on an empty point
    // covers the grid with white.
    bool printing = false;
    // Stones as plain circles instead of the stone pictures.
    bool plainStones = false;
    CrossColour crossColour = CrossColour::contrast;
    // The size of the board texture picture, whose piece covers the grid under a label on an
    // empty point; 0 when there is none (a plain colour fills the square instead).
    int textureWidth = 0;
    int textureHeight = 0;

    // The height of the text of labels and move numbers (Arial).
    int fontHeight() const { return fontHeight_; }
    void setFontHeight(int pixels) { fontHeight_ = pixels; }

    // The stone of the colour on the point's square: +1 / -1 the black / white stone, 0 the
    // empty board from the background snapshot, kRedDisc a red disc. Nothing for a point off the
    // board or another colour.
    void drawStone(int x, int y, int colour);
    // A label over the point, whose board colour is colour: the triangle (U+0001) or square
    // (U+0002) mark over the point drawn again, or text centred on it (over the stone drawn
    // again, or over the grid covered). Nothing for an empty label or a point off the board.
    void drawLabel(int x, int y, std::u16string_view label, int colour);
    // The cross over the last move's stone of the colour, in the cross colour.
    void drawLastMoveCross(int x, int y, int colour);
    // Column letters under the board and row numbers left of it.
    void drawCoordinates();

    // The text colour that reads on the board colour: white on black, black otherwise.
    static Rgb contrastOn(int colour) { return colour == 1 ? kRgbWhite : kRgbBlack; }

  private:
    bool canDraw(int x, int y) const { return canvas_ && geometry_.isOnBoard(x, y); }
    void drawGrid();
    void drawStarPoints();
    void coverGrid(const PixelRect& square);

    Canvas* canvas_ = nullptr;
    BoardGeometry geometry_;
    int penWidth_ = 1;
    int fontHeight_ = 12;
};

}  // namespace veld
