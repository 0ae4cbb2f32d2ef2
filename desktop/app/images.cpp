#include "app/images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace veld::desktop {

namespace {

// Drawn at twice the list size so that high-density screens get sharp pictures.
constexpr int kSide = 32;

// Indexes of the list whose pictures mean something of their own; the others are player icons.
enum ListImage {
    kPlayedGame = 6,
    kEvent = 7,
    kFriend = 9,
    kTag = 10,
    kTeachingGame = 14,
    kBroadcastGame = 15,
    kBlocked = 17,
    kListSize = 18,
};

QPixmap canvas(int side = kSide) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A painter with antialiasing on a fresh canvas.
struct Drawing {
    QPixmap pixmap = canvas();
    QPainter p{&pixmap};
    Drawing() { p.setRenderHint(QPainter::Antialiasing); }
    QIcon icon() {
        p.end();
        return QIcon(pixmap);
    }
};

void stone(QPainter& p, QPointF centre, double radius, bool black) {
    QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    shade.setColorAt(0, black ? QColor(0x70, 0x70, 0x70) : Qt::white);
    shade.setColorAt(1, black ? QColor(0x10, 0x10, 0x10) : QColor(0xC8, 0xC8, 0xC0));
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.setBrush(shade);
    p.drawEllipse(centre, radius, radius);
}

// A small corner of a Go board.
void boardCorner(QPainter& p, QRectF area) {
    p.setPen(QPen(QColor(0x80, 0x60, 0x30), 1.5));
    p.setBrush(QColor(0xE0, 0xB8, 0x70));
    p.drawRoundedRect(area, 3, 3);
    p.setPen(QPen(QColor(0x50, 0x38, 0x18), 1));
    for (int i = 1; i <= 3; ++i) {
        const double x = area.left() + area.width() * i / 4;
        const double y = area.top() + area.height() * i / 4;
        p.drawLine(QPointF(x, area.top() + 2), QPointF(x, area.bottom() - 2));
        p.drawLine(QPointF(area.left() + 2, y), QPointF(area.right() - 2, y));
    }
}

// A player: head and shoulders in the colour of the icon number; the second eight wear a cap.
QIcon player(int index) {
    static const std::array<QColor, 8> shirts = {
        QColor(0x3A, 0x7C, 0xD0), QColor(0xD0, 0x44, 0x6E), QColor(0x3E, 0x9A, 0x48),
        QColor(0xE0, 0x8C, 0x28), QColor(0x7A, 0x58, 0xC0), QColor(0x28, 0x9C, 0x9C),
        QColor(0x8C, 0x6A, 0x48), QColor(0x50, 0x50, 0x58),
    };
    const QColor shirt = shirts[static_cast<std::size_t>(index % 8)];
    Drawing d;
    QPainterPath body;
    body.moveTo(4, 31);
    body.cubicTo(4, 20, 10, 18, 16, 18);
    body.cubicTo(22, 18, 28, 20, 28, 31);
    body.closeSubpath();
    d.p.setPen(QPen(shirt.darker(170), 1.5));
    d.p.setBrush(shirt);
    d.p.drawPath(body);
    d.p.setBrush(QColor(0xF4, 0xD0, 0xA8));
    d.p.setPen(QPen(QColor(0x90, 0x68, 0x40), 1.5));
    d.p.drawEllipse(QPointF(16, 11), 7, 7.5);
    if (index >= 8) {
        QPainterPath cap;
        cap.moveTo(8.5, 10);
        cap.cubicTo(8.5, 2, 23.5, 2, 23.5, 10);
        cap.closeSubpath();
        d.p.setPen(QPen(shirt.darker(170), 1));
        d.p.setBrush(shirt.lighter(120));
        d.p.drawPath(cap);
    }
    return d.icon();
}

// A game being played: a board corner with a black and a white stone.
QIcon playedGame() {
    Drawing d;
    boardCorner(d.p, QRectF(2, 2, 28, 28));
    stone(d.p, QPointF(12, 13), 6, true);
    stone(d.p, QPointF(20, 20), 6, false);
    return d.icon();
}

// A teaching room: a board on an easel, a pointer across it.
QIcon teachingGame() {
    Drawing d;
    d.p.setPen(QPen(QColor(0x60, 0x40, 0x20), 2));
    d.p.drawLine(QPointF(9, 24), QPointF(5, 31));
    d.p.drawLine(QPointF(23, 24), QPointF(27, 31));
    boardCorner(d.p, QRectF(3, 2, 26, 22));
    stone(d.p, QPointF(12, 13), 4.5, true);
    d.p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap));
    d.p.drawLine(QPointF(30, 30), QPointF(18, 15));
    return d.icon();
}

// A broadcast: a stone sending waves.
QIcon broadcastGame() {
    Drawing d;
    d.p.setBrush(Qt::NoBrush);
    d.p.setPen(QPen(QColor(0xD0, 0x30, 0x30), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int r = 8; r <= 14; r += 6) {
        d.p.drawArc(QRectF(16 - r, 20 - r, 2 * r, 2 * r), 35 * 16, 110 * 16);
    }
    stone(d.p, QPointF(16, 22), 6, true);
    d.p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    d.p.drawLine(QPointF(16, 28), QPointF(16, 31));
    return d.icon();
}

// The event mark: an envelope.
QIcon envelope() {
    Drawing d;
    d.p.setPen(QPen(QColor(0x80, 0x50, 0x10), 2));
    d.p.setBrush(QColor(0xFF, 0xE0, 0x90));
    const QRectF body(3, 8, kSide - 6, kSide - 16);
    d.p.drawRect(body);
    d.p.drawPolyline(
        QPolygonF({body.topLeft(), QPointF(kSide / 2.0, kSide / 2.0 + 2), body.topRight()}));
    return d.icon();
}

// A friend: a red heart.
QIcon friendMark() {
    Drawing d;
    QPainterPath heart;
    heart.moveTo(16, 28);
    heart.cubicTo(2, 18, 2, 6, 10, 6);
    heart.cubicTo(13, 6, 15, 8, 16, 11);
    heart.cubicTo(17, 8, 19, 6, 22, 6);
    heart.cubicTo(30, 6, 30, 18, 16, 28);
    QLinearGradient shade(0, 6, 0, 28);
    shade.setColorAt(0, QColor(0xFF, 0x70, 0x80));
    shade.setColorAt(1, QColor(0xC0, 0x10, 0x28));
    d.p.setPen(QPen(QColor(0x80, 0x08, 0x18), 1.5));
    d.p.setBrush(shade);
    d.p.drawPath(heart);
    return d.icon();
}

// A blocked player: a red ring with a bar across.
QIcon blockedMark() {
    Drawing d;
    d.p.setBrush(Qt::white);
    d.p.setPen(QPen(QColor(0xC8, 0x10, 0x10), 4));
    d.p.drawEllipse(QPointF(16, 16), 12, 12);
    d.p.drawLine(QPointF(7.5, 24.5), QPointF(24.5, 7.5));
    return d.icon();
}

// The tag column's header: a luggage tag.
QIcon tag() {
    Drawing d;
    QPainterPath shape;
    shape.moveTo(4, 12);
    shape.lineTo(12, 4);
    shape.lineTo(28, 4);
    shape.lineTo(28, 20);
    shape.lineTo(12, 20);
    shape.lineTo(4, 12);
    d.p.translate(0, 4);
    d.p.setPen(QPen(QColor(0x80, 0x60, 0x10), 1.5));
    d.p.setBrush(QColor(0xF0, 0xC8, 0x50));
    d.p.drawPath(shape);
    d.p.setBrush(Qt::white);
    d.p.drawEllipse(QPointF(11, 12), 2.5, 2.5);
    return d.icon();
}

}  // namespace

QIcon listImage(int index) {
    switch (index) {
        case kPlayedGame:
            return playedGame();
        case kEvent:
            return envelope();
        case kFriend:
            return friendMark();
        case kTag:
            return tag();
        case kTeachingGame:
            return teachingGame();
        case kBroadcastGame:
            return broadcastGame();
        case kBlocked:
            return blockedMark();
        default:
            break;
    }
    if (index < 0 || index >= kListSize) return {};
    return player(index);
}

QIcon serverIcon(int index) {
    QPixmap pixmap = canvas(64);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A Go board with two stones, its wood shade turning with the position in the list.
    const QColor wood = QColor::fromHsv((30 + index * 23) % 60 + 20, 120, 220);
    p.setBrush(wood);
    p.setPen(QPen(wood.darker(160), 2));
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 6, 6);
    p.setPen(QPen(QColor(0x40, 0x30, 0x20), 1.5));
    for (int i = 0; i < 4; ++i) {
        const double at = 14 + i * 12;
        p.drawLine(QPointF(14, at), QPointF(50, at));
        p.drawLine(QPointF(at, 14), QPointF(at, 50));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x15, 0x15, 0x15));
    p.drawEllipse(QPointF(26, 26), 6, 6);
    p.setBrush(QColor(0xF5, 0xF5, 0xF0));
    p.drawEllipse(QPointF(38, 38), 6, 6);
    return QIcon(pixmap);
}

}  // namespace veld::desktop
