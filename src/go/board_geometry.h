// Where the points of a board lie in a picture: the spacing of the lines, the stone radius and
// the pixel of the first line, and the conversions between points and pixels.
#pragma once

#include <optional>

#include "go/canvas.h"
#include "protocol/points.h"

namespace veld {

struct BoardGeometry {
    // A board of 19 lines, before any picture is laid out: no pixel is on a point.
    int n = 19;  // lines
    int width = 0;
    int height = 0;
    int spacing = 0;  // pixels between two lines, always even
    int radius = 0;   // stone radius, spacing / 2
    int originX = 0;  // pixel of line 1 (x)
    int originY = 0;  // pixel of line 1 (y)

    // The largest even spacing with which n lines fit the smaller side, the board centred in the
    // picture. n of 0 or less gives 19 lines; a picture too small for two pixels a line (or of
    // a size 0 or less) gives spacing 0, with every line at the centre.
    static BoardGeometry layout(int width, int n, int height);

    // The distance in pixels between line 1 and line n.
    int span() const { return (n - 1) * spacing; }
    bool isOnBoard(int x, int y) const { return x >= 1 && y >= 1 && x <= n && y <= n; }
    // The pixel where lines x and y cross (any x and y: rows below the board are used for
    // printed notes).
    PixelPoint pointToPixel(int x, int y) const;
    // The point nearest to the pixel: the line at or before it, or the next one when the pixel is
    // more than radius past it (a pixel exactly half-way goes to the earlier line). nullopt when
    // that point is off the board or there is no layout (spacing 0).
    std::optional<BoardPoint> pixelToPoint(int px, int py) const;
    // The square of side 2 * radius centred on the point, which a stone covers.
    PixelRect pointSquare(int x, int y) const;

    bool operator==(const BoardGeometry&) const = default;
};

}  // namespace veld
