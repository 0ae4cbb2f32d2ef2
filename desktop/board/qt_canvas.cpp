#include "board/qt_canvas.h"

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>

#include "app/text.h"
#include "go/board_look.h"

namespace veld::desktop {

namespace {

QColor qcolour(Rgb colour) {
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | (colour & 0xFFFFFFu)));
}

QRect qrect(PixelRect r) {
    return {r.left, r.top, r.width, r.height};
}

Qt::Alignment alignment(TextAlign align) {
    switch (align) {
        case TextAlign::left:
            return Qt::AlignLeft;
        case TextAlign::right:
            return Qt::AlignRight;
        case TextAlign::centre:
            break;
    }
    return Qt::AlignHCenter;
}

void setDefaults(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::NoBrush);
}

bool isStone(PictureId id) {
    return id == PictureId::blackStone || id == PictureId::whiteStone;
}

}  // namespace

QtCanvas::QtCanvas(int width, int height) {
    resize(width, height);
}

QtCanvas::QtCanvas(QPainter& painter, int width, int height) : page_(&painter) {
    resize(width, height);
}

void QtCanvas::resize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    if (page_) return;
    picture(PictureId::background) = QImage();
    if (width_ == 0 || height_ == 0) {
        image_ = QImage();
        return;
    }
    image_ = QImage(width_, height_, QImage::Format_RGB32);
    image_.fill(qcolour(kPlainBoardColour));
}

template <typename Draw>
void QtCanvas::paint(Draw&& draw) {
    if (page_) {
        if (!page_->isActive()) return;
        page_->save();
        setDefaults(*page_);
        draw(*page_);
        page_->restore();
    } else {
        if (image_.isNull()) return;
        QPainter painter(&image_);
        setDefaults(painter);
        draw(painter);
    }
    if (changed) changed();
}

void QtCanvas::drawLine(PixelPoint from, PixelPoint to, Rgb colour, int penWidth) {
    const int width = std::max(1, penWidth);
    // A thick line grows by (width - 1) / 2 pixels before the line's own pixels and the rest
    // after them; its ends stay where they are.
    const int before = (width - 1) / 2;
    paint([&](QPainter& p) {
        if (from.y == to.y) {
            const int left = std::min(from.x, to.x);
            p.fillRect(left, from.y - before, std::abs(to.x - from.x) + 1, width, qcolour(colour));
        } else if (from.x == to.x) {
            const int top = std::min(from.y, to.y);
            p.fillRect(from.x - before, top, width, std::abs(to.y - from.y) + 1, qcolour(colour));
        } else {
            p.setPen(QPen(qcolour(colour), width, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(from.x, from.y, to.x, to.y);
        }
    });
}

void QtCanvas::drawCircle(PixelPoint centre, int radius, Rgb fill, Rgb outline, int penWidth) {
    if (radius <= 0) return;
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        // The outline runs inside the square, not half out of it.
        const double inset = penWidth > 0 ? std::min(penWidth / 2.0, radius / 2.0) : 0.0;
        const double side = 2.0 * radius - 2 * inset;
        p.setBrush(qcolour(fill));
        if (penWidth > 0) p.setPen(QPen(qcolour(outline), penWidth));
        p.drawEllipse(QRectF(centre.x - radius + inset, centre.y - radius + inset, side, side));
    });
}

void QtCanvas::fillRect(PixelRect rect, Rgb colour) {
    if (rect.width <= 0 || rect.height <= 0) return;
    paint([&](QPainter& p) { p.fillRect(qrect(rect), qcolour(colour)); });
}

void QtCanvas::fillPolygon(std::span<const PixelPoint> corners, Rgb colour) {
    if (corners.empty()) return;
    QPolygonF polygon;
    // Through the middle of each corner pixel, the outline covering the corner pixels.
    for (const PixelPoint& c : corners) polygon << QPointF(c.x + 0.5, c.y + 0.5);
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(qcolour(colour), 1));
        p.setBrush(qcolour(colour));
        p.drawPolygon(polygon);
    });
}

void QtCanvas::setPicture(PictureId id, const Bitmap32& pixels) {
    QImage& target = picture(id);
    if (!pixels.isValid()) {
        target = QImage();
        return;
    }
    QImage converted(pixels.width, pixels.height, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(converted.scanLine(y));
        const std::uint32_t* row =
            pixels.pixels.data() + static_cast<std::size_t>(y) * pixels.width;
        for (int x = 0; x < pixels.width; ++x) line[x] = 0xFF000000u | row[x];
    }
    target = std::move(converted);
}

void QtCanvas::capturePicture(PictureId id) {
    if (!page_) picture(id) = image_.copy();
}

void QtCanvas::drawPicture(PictureId id, PixelRect source, PixelRect dest) {
    const QImage& shown = picture(id);
    if (shown.isNull() || source.width <= 0 || source.height <= 0 || dest.width <= 0 ||
        dest.height <= 0)
        return;
    const QRect from = qrect(source);
    const QRect to = qrect(dest);
    paint([&](QPainter& p) {
        if (from.size() != to.size()) p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!isStone(id)) {
            p.drawImage(to, shown, from);
            return;
        }
        // A stone is round: the empty board shows in the corners of its square.
        const QImage& background = picture(PictureId::background);
        if (!background.isNull()) p.drawImage(to, background, to);
        QTransform place;
        place.translate(to.x(), to.y());
        place.scale(static_cast<double>(to.width()) / from.width(),
                    static_cast<double>(to.height()) / from.height());
        place.translate(-from.x(), -from.y());
        QBrush brush(shown);
        brush.setTransform(place);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(brush);
        p.drawEllipse(QRectF(to));
    });
}

void QtCanvas::drawText(std::u16string_view text, PixelRect box, const TextStyle& style) {
    if (text.empty() || style.pixelHeight < 1) return;
    paint([&](QPainter& p) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(style.pixelHeight);
        font.setBold(style.bold);
        p.setFont(font);
        p.setPen(qcolour(style.colour));
        p.drawText(qrect(box),
                   static_cast<int>(alignment(style.align) | Qt::AlignVCenter) | Qt::TextDontClip |
                       Qt::TextSingleLine,
                   qs(text));
    });
}

}  // namespace veld::desktop
