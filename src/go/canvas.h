// The drawing surface of a board: a room's board picture on screen or a printer page. The core
// decides every pixel position and colour; the desktop implements the calls with its painter.
// Calls are stateless: each names its own colours and pen width, so a call draws the same
// whatever was drawn before it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "protocol/resample.h"

namespace veld {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb kRgbBlack = 0x000000;
inline constexpr Rgb kRgbWhite = 0xFFFFFF;
inline constexpr Rgb kRgbRed = 0xFF0000;

// Pixels count from the top left corner of the surface, x to the right, y down.
struct PixelPoint {
    int x = 0;
    int y = 0;

    bool operator==(const PixelPoint&) const = default;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }  // one past the last column
    int bottom() const { return top + height; }
    PixelPoint centre() const { return {left + width / 2, top + height / 2}; }
    bool contains(PixelPoint p) const {
        return p.x >= left && p.x < right() && p.y >= top && p.y < bottom();
    }
    bool operator==(const PixelRect&) const = default;
};

// The pictures a surface holds. The core hands it the texture and the stone pictures (already
// scaled to the size they are drawn at); the background is a snapshot the surface takes of
// itself.
enum class PictureId : std::uint8_t { boardTexture, blackStone, whiteStone, background };

enum class TextAlign : std::uint8_t { left, centre, right };

// Board and page texts are all in Arial.
struct TextStyle {
    int pixelHeight = 12;  // the font's height in pixels
    Rgb colour = kRgbBlack;
    bool bold = false;
    TextAlign align = TextAlign::centre;

    bool operator==(const TextStyle&) const = default;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // The size of the surface in pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // A straight line between two pixels, both included.
    virtual void drawLine(PixelPoint from, PixelPoint to, Rgb colour, int penWidth) = 0;
    // The circle of the radius around centre (bounding square from centre - radius to
    // centre + radius), filled with fill and outlined with outline at the pen width.
    virtual void drawCircle(PixelPoint centre, int radius, Rgb fill, Rgb outline, int penWidth) = 0;
    virtual void fillRect(PixelRect rect, Rgb colour) = 0;
    // A polygon through the corners, filled and outlined in the colour.
    virtual void fillPolygon(std::span<const PixelPoint> corners, Rgb colour) = 0;

    // Keeps the pixels (0x00RRGGBB) as the picture, replacing an earlier one of that id; the
    // surface may convert them once here. An invalid bitmap clears the picture.
    virtual void setPicture(PictureId id, const Bitmap32& pixels) = 0;
    // Takes a copy of everything the surface shows now as the picture.
    virtual void capturePicture(PictureId id) = 0;
    // Draws the part source of the picture stretched into dest; nothing when the picture is
    // not set. The stone pictures are round: the surface first draws the same square of the
    // background (when it holds one), then the stone within the circle inscribed in dest,
    // antialiased, so the corners of the square show the empty board.
    virtual void drawPicture(PictureId id, PixelRect source, PixelRect dest) = 0;

    // One line of text aligned horizontally in box and centred in its height, on a transparent
    // background. The box places the text; it does not clip it.
    virtual void drawText(std::u16string_view text, PixelRect box, const TextStyle& style) = 0;
};

}  // namespace veld
