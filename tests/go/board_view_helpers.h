// Questions about a recorded board drawing asked in board points: "a black stone picture at
// (4, 4)", "the text '3' on (5, 6)".
#pragma once

#include "fakes/recording_canvas.h"
#include "go/board_geometry.h"

namespace veld::test {

inline const testing::DrawCall* stonePictureAt(const testing::RecordingCanvas& canvas,
                                               const BoardGeometry& g, int colour, int x, int y) {
    return canvas.pictureInto(colour > 0 ? PictureId::blackStone : PictureId::whiteStone,
                              g.pointSquare(x, y));
}

inline const testing::DrawCall* erasedAt(const testing::RecordingCanvas& canvas,
                                         const BoardGeometry& g, int x, int y) {
    return canvas.pictureInto(PictureId::background, g.pointSquare(x, y));
}

// A text centred on the point, allowing the pixel that two-digit numbers move right.
inline const testing::DrawCall* textOn(const testing::RecordingCanvas& canvas,
                                       const BoardGeometry& g, std::u16string_view text, int x,
                                       int y) {
    return canvas.textNear(text, g.pointToPixel(x, y), 1);
}

}  // namespace veld::test
