#include "go/go_show.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace veld {

namespace {

// Star points: lines 4, 10 and 16 of a 19-line board.
constexpr int kStarLines[] = {4, 10, 16};
constexpr int kStarBoardLines = 19;
// Screen coordinates: Arial 14, letters 16 pixels above the bottom edge, numbers 12 pixels
// further left than half a spacing before line 1.
constexpr int kCoordinateFont = 14;
constexpr int kLetterRise = 16;
constexpr int kNumberIndent = 12;
constexpr int kCrossPen = 2;

int starRadius(int spacing) {
    if (spacing <= 9) return 1;
    if (spacing >= 20) return 3;
    return 2;
}

// Two-digit numbers (10 to 99) sit one pixel right of centre, where they look centred.
bool isTwoDigitNumber(std::u16string_view s) {
    return s.size() == 2 && s[0] >= u'1' && s[0] <= u'9' && s[1] >= u'0' && s[1] <= u'9';
}

std::u16string decimal(int n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

int floorMod(int a, int m) {
    const int r = a % m;
    return r < 0 ? r + m : r;
}

// The piece of a texture of `size` pixels that lies under `length` pixels from `start` when the
// texture is tiled with one pixel of overlap; clamped into the texture.
std::pair<int, int> texturePiece(int start, int length, int size) {
    const int step = std::max(1, size - 1);
    int from = floorMod(start, step);
    const int covered = std::min(length, size);
    if (from + covered > size) from = size - covered;
    return {from, covered};
}

}  // namespace

void TGoShow::layoutBoard(Canvas& canvas, int width, int n, int height, int penWidth) {
    layoutBoard(canvas, BoardGeometry::layout(width, n, height), penWidth);
}

void TGoShow::layoutBoard(Canvas& canvas, const BoardGeometry& geometry, int penWidth) {
    canvas_ = &canvas;
    geometry_ = geometry;
    penWidth_ = penWidth;
    drawGrid();
    if (geometry_.n == kStarBoardLines) drawStarPoints();
    fontHeight_ = geometry_.spacing * 3 / 5;
}

void TGoShow::drawGrid() {
    const int n = geometry_.n;
    const int span = geometry_.span();
    const int x0 = geometry_.originX;
    const int y0 = geometry_.originY;
    auto line = [this](PixelPoint from, PixelPoint to) {
        canvas_->drawLine(from, to, kRgbBlack, penWidth_);
    };
    for (int i = 0; i < n; ++i) {
        const int x = x0 + i * geometry_.spacing;
        line({x, y0}, {x, y0 + span});
        // The outer lines are doubled outwards, one pixel longer at each end: a thicker frame.
        if (i == 0) line({x - 1, y0 - 1}, {x - 1, y0 + span + 1});
        if (i == n - 1) line({x + 1, y0 - 1}, {x + 1, y0 + span + 1});
    }
    for (int j = 0; j < n; ++j) {
        const int y = y0 + j * geometry_.spacing;
        line({x0, y}, {x0 + span, y});
        if (j == 0) line({x0 - 1, y - 1}, {x0 + span + 1, y - 1});
        if (j == n - 1) line({x0 - 1, y + 1}, {x0 + span + 1, y + 1});
    }
}

void TGoShow::drawStarPoints() {
    const int r = starRadius(geometry_.spacing);
    for (int x : kStarLines) {
        for (int y : kStarLines)
            canvas_->drawCircle(pointToPixel(x, y), r, kRgbBlack, kRgbBlack, 1);
    }
}

void TGoShow::drawStone(int x, int y, int colour) {
    if (!canDraw(x, y)) return;
    const PixelRect square = geometry_.pointSquare(x, y);
    const PixelPoint centre = pointToPixel(x, y);
    switch (colour) {
        case 0:
            if (!printing) canvas_->drawPicture(PictureId::background, square, square);
            break;
        case 1:
        case -1:
            if (printing || plainStones) {
                canvas_->drawCircle(centre, geometry_.radius, colour == 1 ? kRgbBlack : kRgbWhite,
                                    kRgbBlack, penWidth_);
            } else {
                canvas_->drawPicture(colour == 1 ? PictureId::blackStone : PictureId::whiteStone,
                                     {0, 0, square.width, square.height}, square);
            }
            break;
        case kRedDisc:
            canvas_->drawCircle(centre, geometry_.radius, kRgbRed, kRgbRed, penWidth_);
            break;
        default:
            break;
    }
}

void TGoShow::coverGrid(const PixelRect& square) {
    if (printing) {
        canvas_->fillRect(square, kRgbWhite);
    } else if (textureWidth > 0 && textureHeight > 0) {
        const auto [sx, sw] = texturePiece(square.left, square.width, textureWidth);
        const auto [sy, sh] = texturePiece(square.top, square.height, textureHeight);
        canvas_->drawPicture(PictureId::boardTexture, {sx, sy, sw, sh}, square);
    } else {
        canvas_->fillRect(square, kPlainBoardColour);
    }
}

void TGoShow::drawLabel(int x, int y, std::u16string_view label, int colour) {
    if (label.empty() || !canDraw(x, y)) return;
    const PixelPoint c = pointToPixel(x, y);
    const int r = geometry_.radius;
    const Rgb ink = contrastOn(colour);
    if (label[0] == kTriangleMark) {
        drawStone(x, y, colour);
        const int half = r * 8 / 10 - 1;
        const std::array<PixelPoint, 3> corners{
            {{c.x, c.y - r + 2}, {c.x - half, c.y + r / 2}, {c.x + half, c.y + r / 2}}};
        canvas_->fillPolygon(corners, ink);
        return;
    }
    if (label[0] == kSquareMark) {
        drawStone(x, y, colour);
        const int half = std::max(0, r * 2 / 3 - 1);
        canvas_->fillRect({c.x - half, c.y - half, 2 * half, 2 * half}, ink);
        return;
    }
    PixelRect box = geometry_.pointSquare(x, y);
    if (colour != 0) {
        drawStone(x, y, colour);
    } else {
        coverGrid(box);
    }
    if (isTwoDigitNumber(label)) ++box.left;
    canvas_->drawText(label, box, {fontHeight_, ink, false, TextAlign::centre});
}

void TGoShow::drawLastMoveCross(int x, int y, int colour) {
    if (!canDraw(x, y)) return;
    const Rgb ink = crossColour == CrossColour::red ? kRgbRed : contrastOn(colour);
    const PixelPoint c = pointToPixel(x, y);
    const int r = geometry_.radius;
    canvas_->drawLine({c.x - r, c.y}, {c.x + r - 1, c.y}, ink, kCrossPen);
    canvas_->drawLine({c.x, c.y - r}, {c.x, c.y + r - 1}, ink, kCrossPen);
}

void TGoShow::drawCoordinates() {
    if (!canvas_) return;
    const int n = geometry_.n;
    const int r = geometry_.radius;
    if (printing) {
        // On paper the footer takes the bottom of the page: letters go on the row below the
        // board, numbers end half a spacing before line 1, in a font that scales with the board.
        const int height = std::max(1, geometry_.spacing / 2);
        const TextStyle letters{height, kRgbBlack, false, TextAlign::centre};
        const TextStyle numbers{height, kRgbBlack, false, TextAlign::right};
        for (int i = 1; i <= n; ++i) {
            const PixelPoint p = pointToPixel(i, n + 1);
            canvas_->drawText(std::u16string(1, static_cast<char16_t>(u'A' + i - 1)),
                              {p.x - r, p.y - height / 2, 2 * r, height}, letters);
        }
        for (int j = 1; j <= n; ++j) {
            const PixelPoint p = pointToPixel(1, j);
            const int width = 2 * geometry_.spacing;
            canvas_->drawText(decimal(n - j + 1),
                              {p.x - r - width, p.y - height / 2, width, height}, numbers);
        }
    } else {
        const TextStyle letters{kCoordinateFont, kRgbBlack, false, TextAlign::centre};
        const TextStyle numbers{kCoordinateFont, kRgbBlack, false, TextAlign::left};
        const int top = geometry_.height - kLetterRise;
        for (int i = 1; i <= n; ++i) {
            const PixelPoint p = pointToPixel(i, 1);
            canvas_->drawText(std::u16string(1, static_cast<char16_t>(u'A' + i - 1)),
                              {p.x - r, top, 2 * r, kCoordinateFont}, letters);
        }
        const int left = geometry_.originX - r - kNumberIndent;
        for (int j = 1; j <= n; ++j) {
            const int number = n - j + 1;
            const std::u16string text = (number < 10 ? u"  " : u"") + decimal(number);
            const PixelPoint p = pointToPixel(1, j);
            canvas_->drawText(text,
                              {left, p.y - kCoordinateFont / 2, r + kNumberIndent, kCoordinateFont},
                              numbers);
        }
    }
    fontHeight_ = geometry_.spacing * 2 / 3;
}

}  // namespace veld
