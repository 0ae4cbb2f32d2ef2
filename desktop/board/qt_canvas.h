// The board drawing surface over Qt's painter: a board picture the canvas owns (a QImage in
// device pixels), or a printer page painted through a painter the printer keeps.
//
// Pixels are exact where the board needs them to be: lines and rectangles are drawn without
// antialiasing, a line covering both its end pixels; circles, polygons, stone pictures and text
// are antialiased. A circle fills the square from centre - radius to centre + radius - 1 (the
// square a stone covers), outline included, so that erasing the point's square takes all of it.
#pragma once

#include <QImage>
#include <array>
#include <functional>

#include "go/canvas.h"

class QPainter;

namespace veld::desktop {

class QtCanvas : public veld::Canvas {
  public:
    // A board picture of width x height device pixels, of the plain board colour until drawn
    // on. A size of 0 or less holds no pixels and draws nothing.
    QtCanvas(int width, int height);
    // A page of width x height pixels drawn with painter, which must outlive the canvas. Nothing
    // is drawn while the painter is not active. A page takes no snapshot of itself:
    // capturePicture does nothing on it.
    QtCanvas(QPainter& painter, int width, int height);

    // The picture: replaced by a new one of the size (plain board colour), keeping the texture
    // and stone pictures; the background snapshot, which belonged to the old size, is dropped.
    // For a page, just the size of the next page.
    void resize(int width, int height);

    // What the picture shows now (null for a page or a size of 0).
    const QImage& image() const { return image_; }

    // Called after every call that changes what the surface shows.
    std::function<void()> changed;

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

  private:
    // Runs draw with a painter set to the canvas' defaults (no antialiasing, no pen, no brush);
    // nothing when there is nothing to draw on.
    template <typename Draw>
    void paint(Draw&& draw);
    QImage& picture(PictureId id) { return pictures_[static_cast<std::size_t>(id)]; }

    int width_ = 0;
    int height_ = 0;
    QImage image_;
    QPainter* page_ = nullptr;
    std::array<QImage, 4> pictures_;  // by PictureId
};

}  // namespace veld::desktop
