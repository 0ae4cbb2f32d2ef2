// A room's board picture: the widget that shows the picture the game window draws through its
// board view, and reports mouse presses on it.
#pragma once

#include <QImage>
#include <QWidget>

#include "board/qt_canvas.h"
#include "go/board_geometry.h"
#include "go/board_look.h"
#include "go/board_mouse.h"
#include "go/go_image.h"

namespace veld::desktop {

class BoardWidget : public QWidget {
    Q_OBJECT

  public:
    // pictures and look are shared by every board picture and must outlive the widget.
    BoardWidget(BoardPictures& pictures, const BoardLook& look, QWidget* parent = nullptr);

    // The room's board view. The same object for the widget's whole life (a room keeps it), laid
    // out again over a new picture whenever the widget's size changes.
    TGoImage& image() { return image_; }
    const BoardGeometry& geometry() const { return image_.geometry(); }
    // What the widget shows, in device pixels (null while the widget has no area).
    QImage picture() const { return canvas_.image(); }

    // A new picture for the widget's present size in device pixels, with the empty board of the
    // present number of lines set up on it; then relaidOut(). Nothing when the size in device
    // pixels has not changed. The widget calls it itself when it is resized.
    void relayout();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // The picture was laid out again: the owner draws the window shown onto it.
    void relaidOut();
    // A mouse button pressed on the picture, at that pixel of the picture (device pixels).
    void pressed(veld::PixelPoint at, veld::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QSize deviceSize() const;

    QtCanvas canvas_;
    TGoImage image_;
};

}  // namespace veld::desktop
