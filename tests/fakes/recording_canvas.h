// A canvas that draws nothing and remembers every call, so that tests can ask what was drawn
// where and in which order.
#pragma once

#include <string>
#include <vector>

#include "go/canvas.h"

namespace veld::testing {

struct DrawCall {
    enum class Kind { line, circle, rect, polygon, setPicture, capture, picture, text };

    Kind kind = Kind::line;
    PixelPoint from;                            // line start; circle centre
    PixelPoint to;                              // line end
    int radius = 0;                             // circle
    Rgb colour = 0;                             // line, rect, polygon and text colour; circle fill
    Rgb outline = 0;                            // circle
    int penWidth = 0;                           // line, circle
    PictureId picture = PictureId::background;  // setPicture, capture, picture
    PixelRect source;                           // picture
    PixelRect rect;                             // rect; picture destination; text box
    std::vector<PixelPoint> corners;            // polygon
    std::u16string text;
    TextStyle style;
    Bitmap32 pixels;  // setPicture

    // One line for failure messages, e.g. "picture blackStone (0,0,20,20) -> (70,70,20,20)".
    std::string describe() const;
};

class RecordingCanvas : public Canvas {
  public:
    using Kind = DrawCall::Kind;

    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void drawLine(PixelPoint from, PixelPoint to, Rgb colour, int penWidth) override;
    void drawCircle(PixelPoint centre, int radius, Rgb fill, Rgb outline, int penWidth) override;
    void fillRect(PixelRect rect, Rgb colour) override;
    void fillPolygon(std::span<const PixelPoint> corners, Rgb colour) override;
    void setPicture(PictureId id, const Bitmap32& pixels) override;
    void capturePicture(PictureId id) override;
    void drawPicture(PictureId id, PixelRect source, PixelRect dest) override;
    void drawText(std::u16string_view text, PixelRect box, const TextStyle& style) override;

    void resize(int width, int height) { width_ = width, height_ = height; }
    void clear() { calls.clear(); }

    // Calls of one kind, in order.
    std::vector<const DrawCall*> all(Kind kind) const;
    // The position of a call in `calls`; -1 for null.
    int indexOf(const DrawCall* call) const;
    // The last picture of the id drawn exactly into dest; null when none.
    const DrawCall* pictureInto(PictureId id, PixelRect dest) const;
    // The last circle around the centre; null when none.
    const DrawCall* circleAt(PixelPoint centre) const;
    // The last text equal to text whose box centre lies within tolerance pixels (each axis) of
    // the pixel; null when none.
    const DrawCall* textNear(std::u16string_view text, PixelPoint at, int tolerance = 0) const;
    // The texts drawn, in order.
    std::vector<std::u16string> texts() const;
    // Every call described, one a line.
    std::string log() const;

    std::vector<DrawCall> calls;

  private:
    int width_;
    int height_;
};

// "blackStone", "whiteStone", "boardTexture", "background".
std::string pictureName(PictureId id);

}  // namespace veld::testing
