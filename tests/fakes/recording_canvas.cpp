#include "fakes/recording_canvas.h"

#include <cstdlib>
#include <sstream>

namespace veld::testing {

namespace {

// Streams rather than string concatenation: GCC 12 at -O3 reports a false -Wrestrict on
// "literal" + std::string.
std::string point(PixelPoint p) {
    std::ostringstream out;
    out << '(' << p.x << ',' << p.y << ')';
    return out.str();
}

std::string box(PixelRect r) {
    std::ostringstream out;
    out << '(' << r.left << ',' << r.top << ',' << r.width << ',' << r.height << ')';
    return out.str();
}

std::string hex(Rgb colour) {
    std::ostringstream out;
    out << std::hex << colour;
    return out.str();
}

std::string narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            std::ostringstream u;
            u << "\\u" << std::hex << static_cast<int>(c);
            out += u.str();
        }
    }
    return out;
}

}  // namespace

std::string pictureName(PictureId id) {
    switch (id) {
        case PictureId::boardTexture:
            return "boardTexture";
        case PictureId::blackStone:
            return "blackStone";
        case PictureId::whiteStone:
            return "whiteStone";
        case PictureId::background:
            return "background";
    }
    return "?";
}

std::string DrawCall::describe() const {
    std::ostringstream out;
    switch (kind) {
        case Kind::line:
            out << "line " << point(from) << '-' << point(to) << " #" << hex(colour) << " w"
                << penWidth;
            break;
        case Kind::circle:
            out << "circle " << point(from) << " r" << radius << " fill #" << hex(colour)
                << " outline #" << hex(outline);
            break;
        case Kind::rect:
            out << "rect " << box(rect) << " #" << hex(colour);
            break;
        case Kind::polygon:
            out << "polygon";
            for (PixelPoint p : corners) out << ' ' << point(p);
            out << " #" << hex(colour);
            break;
        case Kind::setPicture:
            out << "setPicture " << pictureName(picture) << ' ' << pixels.width << 'x'
                << pixels.height;
            break;
        case Kind::capture:
            out << "capture " << pictureName(picture);
            break;
        case Kind::picture:
            out << "picture " << pictureName(picture) << ' ' << box(source) << " -> " << box(rect);
            break;
        case Kind::text:
            out << "text '" << narrow(text) << "' " << box(rect) << " h" << style.pixelHeight
                << " #" << hex(style.colour) << (style.bold ? " bold" : "");
            break;
    }
    return out.str();
}

void RecordingCanvas::drawLine(PixelPoint from, PixelPoint to, Rgb colour, int penWidth) {
    DrawCall c;
    c.kind = Kind::line;
    c.from = from;
    c.to = to;
    c.colour = colour;
    c.penWidth = penWidth;
    calls.push_back(std::move(c));
}

void RecordingCanvas::drawCircle(PixelPoint centre, int radius, Rgb fill, Rgb outline,
                                 int penWidth) {
    DrawCall c;
    c.kind = Kind::circle;
    c.from = centre;
    c.radius = radius;
    c.colour = fill;
    c.outline = outline;
    c.penWidth = penWidth;
    calls.push_back(std::move(c));
}

void RecordingCanvas::fillRect(PixelRect r, Rgb colour) {
    DrawCall c;
    c.kind = Kind::rect;
    c.rect = r;
    c.colour = colour;
    calls.push_back(std::move(c));
}

void RecordingCanvas::fillPolygon(std::span<const PixelPoint> corners, Rgb colour) {
    DrawCall c;
    c.kind = Kind::polygon;
    c.corners.assign(corners.begin(), corners.end());
    c.colour = colour;
    calls.push_back(std::move(c));
}

void RecordingCanvas::setPicture(PictureId id, const Bitmap32& pixels) {
    DrawCall c;
    c.kind = Kind::setPicture;
    c.picture = id;
    c.pixels = pixels;
    calls.push_back(std::move(c));
}

void RecordingCanvas::capturePicture(PictureId id) {
    DrawCall c;
    c.kind = Kind::capture;
    c.picture = id;
    calls.push_back(std::move(c));
}

void RecordingCanvas::drawPicture(PictureId id, PixelRect source, PixelRect dest) {
    DrawCall c;
    c.kind = Kind::picture;
    c.picture = id;
    c.source = source;
    c.rect = dest;
    calls.push_back(std::move(c));
}

void RecordingCanvas::drawText(std::u16string_view text, PixelRect box, const TextStyle& style) {
    DrawCall c;
    c.kind = Kind::text;
    c.text = text;
    c.rect = box;
    c.style = style;
    calls.push_back(std::move(c));
}

std::vector<const DrawCall*> RecordingCanvas::all(Kind kind) const {
    std::vector<const DrawCall*> out;
    for (const DrawCall& c : calls) {
        if (c.kind == kind) out.push_back(&c);
    }
    return out;
}

int RecordingCanvas::indexOf(const DrawCall* call) const {
    if (!call) return -1;
    return static_cast<int>(call - calls.data());
}

const DrawCall* RecordingCanvas::pictureInto(PictureId id, PixelRect dest) const {
    for (auto c = calls.rbegin(); c != calls.rend(); ++c) {
        if (c->kind == Kind::picture && c->picture == id && c->rect == dest) return &*c;
    }
    return nullptr;
}

const DrawCall* RecordingCanvas::circleAt(PixelPoint centre) const {
    for (auto c = calls.rbegin(); c != calls.rend(); ++c) {
        if (c->kind == Kind::circle && c->from == centre) return &*c;
    }
    return nullptr;
}

const DrawCall* RecordingCanvas::textNear(std::u16string_view text, PixelPoint at,
                                          int tolerance) const {
    for (auto c = calls.rbegin(); c != calls.rend(); ++c) {
        if (c->kind != Kind::text || c->text != text) continue;
        const PixelPoint centre = c->rect.centre();
        if (std::abs(centre.x - at.x) <= tolerance && std::abs(centre.y - at.y) <= tolerance)
            return &*c;
    }
    return nullptr;
}

std::vector<std::u16string> RecordingCanvas::texts() const {
    std::vector<std::u16string> out;
    for (const DrawCall& c : calls) {
        if (c.kind == Kind::text) out.push_back(c.text);
    }
    return out;
}

std::string RecordingCanvas::log() const {
    std::string out;
    for (const DrawCall& c : calls) out += c.describe() + "\n";
    return out;
}

}  // namespace veld::testing
