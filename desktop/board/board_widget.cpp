#include "board/board_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

namespace veld::desktop {

namespace {

constexpr int kMinimumSide = 200;
constexpr int kPreferredSide = 560;

MouseButton buttonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::left;
        case Qt::RightButton:
            return MouseButton::right;
        default:
            return MouseButton::other;
    }
}

}  // namespace

BoardWidget::BoardWidget(BoardPictures& pictures, const BoardLook& look, QWidget* parent)
    : QWidget(parent), canvas_(0, 0), image_(canvas_, pictures, look) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Each drawing call asks for a repaint; Qt folds them into one.
    canvas_.changed = [this] { update(); };
}

QSize BoardWidget::sizeHint() const {
    return {kPreferredSide, kPreferredSide};
}

QSize BoardWidget::minimumSizeHint() const {
    return {kMinimumSide, kMinimumSide};
}

QSize BoardWidget::deviceSize() const {
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::lround(width() * ratio)),
            static_cast<int>(std::lround(height() * ratio))};
}

void BoardWidget::relayout() {
    const QSize size = deviceSize();
    if (size == QSize(canvas_.width(), canvas_.height())) return;
    canvas_.resize(size.width(), size.height());
    image_.setupBoard(image_.geometry().n);
    update();
    emit relaidOut();
}

void BoardWidget::paintEvent(QPaintEvent*) {
    // Moved to a screen of another pixel ratio: the picture is laid out again for it, outside
    // this paint.
    if (deviceSize() != QSize(canvas_.width(), canvas_.height()))
        QTimer::singleShot(0, this, &BoardWidget::relayout);
    const QImage& shown = canvas_.image();
    if (shown.isNull()) return;
    const qreal ratio = devicePixelRatioF();
    QPainter painter(this);
    painter.drawImage(QRectF(0, 0, shown.width() / ratio, shown.height() / ratio), shown);
}

void BoardWidget::resizeEvent(QResizeEvent*) {
    relayout();
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position() * devicePixelRatioF();
    emit pressed({static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))},
                 buttonOf(event->button()));
}

}  // namespace veld::desktop
