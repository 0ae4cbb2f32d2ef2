// A room's board picture: the board view a game window draws on, over the canvas of the picture
// control. It lays the board out for the picture's size, keeps a snapshot of the empty board to
// erase points with, and turns clicked pixels into points.
#pragma once

#include <optional>

#include "go/board_look.h"
#include "go/canvas.h"
#include "go/go_show.h"
#include "go/room_ports.h"

namespace veld {

class TGoImage : public BoardView {
  public:
    // The canvas is the picture control's surface; pictures and look are shared by every board
    // picture and read at each setupBoard. All three must outlive the picture.
    TGoImage(Canvas& canvas, BoardPictures& pictures, const BoardLook& look);

    // The empty board for size lines at the canvas' present size: texture, grid, star points,
    // the snapshot used to erase points, and the coordinates when they are on. Called whenever
    // the board size, the picture size or the look changes (the game window's redrawAll).
    void setupBoard(int size) override;
    void drawStone(int x, int y, int colour) override;
    void drawLabel(int x, int y, std::u16string_view label, int colour) override;
    void drawLastMoveCross(int x, int y, int colour) override;

    const BoardGeometry& geometry() const { return show_.geometry(); }
    std::optional<BoardPoint> pixelToPoint(int px, int py) const {
        return show_.pixelToPoint(px, py);
    }

  private:
    void tileTexture();
    void clearCoordinateStrips();

    Canvas& canvas_;
    BoardPictures& pictures_;
    const BoardLook& look_;
    TGoShow show_;
};

}  // namespace veld
