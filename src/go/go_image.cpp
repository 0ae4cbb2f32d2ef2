#include "go/go_image.h"

#include <algorithm>

#include "go/point.h"

namespace veld {

namespace {

// The strip along the bottom edge where the column letters go.
constexpr int kLetterStrip = 16;

}  // namespace

TGoImage::TGoImage(Canvas& canvas, BoardPictures& pictures, const BoardLook& look)
    : canvas_(canvas), pictures_(pictures), look_(look) {}

void TGoImage::setupBoard(int size) {
    const int width = canvas_.width();
    const int height = canvas_.height();
    tileTexture();
    show_.plainStones = pictures_.plainStones();
    show_.crossColour = look_.cross;
    show_.layoutBoard(canvas_, width, size, height, 1);
    show_.setFontHeight(show_.spacing() * 2 / 3);
    canvas_.capturePicture(PictureId::background);
    if (!show_.plainStones) {
        // Each picture is handed over before the next is asked for: the shared scaled copies
        // may move when another size is scaled.
        canvas_.setPicture(PictureId::blackStone, pictures_.scaledStone(kBlack, show_.spacing()));
        canvas_.setPicture(PictureId::whiteStone, pictures_.scaledStone(kWhite, show_.spacing()));
    }
    if (look_.coordinates) {
        show_.drawCoordinates();
    } else {
        clearCoordinateStrips();
    }
}

void TGoImage::tileTexture() {
    const Bitmap32& texture = pictures_.texture();
    const int width = canvas_.width();
    const int height = canvas_.height();
    if (!texture.isValid()) {
        show_.textureWidth = show_.textureHeight = 0;
        canvas_.fillRect({0, 0, width, height}, kPlainBoardColour);
        return;
    }
    show_.textureWidth = texture.width;
    show_.textureHeight = texture.height;
    canvas_.setPicture(PictureId::boardTexture, texture);
    // Each copy overlaps the one before by a pixel.
    const int stepX = std::max(1, texture.width - 1);
    const int stepY = std::max(1, texture.height - 1);
    const PixelRect whole{0, 0, texture.width, texture.height};
    for (int y = 0; y < height; y += stepY) {
        for (int x = 0; x < width; x += stepX)
            canvas_.drawPicture(PictureId::boardTexture, whole,
                                {x, y, texture.width, texture.height});
    }
}

void TGoImage::clearCoordinateStrips() {
    const int width = canvas_.width();
    const int height = canvas_.height();
    const PixelRect bottom{0, height - kLetterStrip, width, kLetterStrip};
    const PixelRect left{0, 0, std::max(0, show_.originX() - 1), height};
    canvas_.drawPicture(PictureId::background, bottom, bottom);
    canvas_.drawPicture(PictureId::background, left, left);
}

void TGoImage::drawStone(int x, int y, int colour) {
    show_.drawStone(x, y, colour);
}

void TGoImage::drawLabel(int x, int y, std::u16string_view label, int colour) {
    show_.drawLabel(x, y, label, colour);
}

void TGoImage::drawLastMoveCross(int x, int y, int colour) {
    show_.drawLastMoveCross(x, y, colour);
}

}  // namespace veld
