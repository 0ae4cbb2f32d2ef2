#include "go/board_geometry.h"

#include <algorithm>

namespace veld {

namespace {

constexpr int kDefaultLines = 19;

// The line index at or before d pixels past the first line, counted from 0, and the distance
// past it; both rounded towards minus infinity so that pixels before the first line land on
// index -1 and not on line 1.
struct LineOffset {
    long long index;
    long long past;
};

LineOffset lineOffset(long long d, long long spacing) {
    long long index = d / spacing;
    long long past = d % spacing;
    if (past < 0) {
        past += spacing;
        --index;
    }
    return {index, past};
}

}  // namespace

BoardGeometry BoardGeometry::layout(int width, int n, int height) {
    BoardGeometry g;
    g.n = n <= 0 ? kDefaultLines : n;
    g.width = width;
    g.height = height;
    const int side = std::max(0, std::min(width, height));
    g.spacing = side / g.n;
    if (g.spacing % 2 != 0) --g.spacing;
    g.radius = g.spacing / 2;
    g.originX = (width - g.span()) / 2;
    g.originY = (height - g.span()) / 2;
    return g;
}

PixelPoint BoardGeometry::pointToPixel(int x, int y) const {
    return {originX + (x - 1) * spacing, originY + (y - 1) * spacing};
}

std::optional<BoardPoint> BoardGeometry::pixelToPoint(int px, int py) const {
    if (spacing <= 0) return std::nullopt;
    // Wide arithmetic: a pixel far outside the picture must not overflow on its way out.
    auto axis = [this](long long d) {
        const LineOffset o = lineOffset(d, spacing);
        return o.index + 1 + (o.past > radius ? 1 : 0);
    };
    const long long x = axis(static_cast<long long>(px) - originX);
    const long long y = axis(static_cast<long long>(py) - originY);
    if (x < 1 || y < 1 || x > n || y > n) return std::nullopt;
    return BoardPoint{static_cast<int>(x), static_cast<int>(y)};
}

PixelRect BoardGeometry::pointSquare(int x, int y) const {
    const PixelPoint c = pointToPixel(x, y);
    return {c.x - radius, c.y - radius, 2 * radius, 2 * radius};
}

}  // namespace veld
