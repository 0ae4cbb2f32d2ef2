// The built-in board picture sets A to D. The program draws them itself, from fixed seeds: a wood
// (or bamboo) texture that tiles without seams and a black and a white stone picture. The same
// set gives the same pixels at every start.
//   A  light kaya wood, slate and shell stones
//   B  warm golden wood, glass stones (the default set)
//   C  dark reddish wood, glass stones
//   D  pale bamboo, slate and shell stones
#pragma once

#include "go/board_look.h"
#include "protocol/resample.h"

namespace veld {

// Stones are drawn at this side and scaled down per layout. Pixels outside the stone's circle
// hold a rim colour that only shows as a soft edge once scaled: the board colour behind them does
// not matter, since the canvas draws stone pictures clipped to their circle.
inline constexpr int kStonePictureSide = 128;
// The texture is square. Its last column repeats its first, and its last row its first row:
// the board picture lays copies one pixel over each other, so the pattern runs on across them.
inline constexpr int kBoardTextureSide = 256;

// The board texture and the two stone pictures of a set, as BoardPictures::usePictures takes
// them.
struct SetPictures {
    Bitmap32 texture;
    Bitmap32 blackStone;
    Bitmap32 whiteStone;
};

// The pictures of set A, B, C or D. BoardSet::ownColour has no pictures (its bitmaps are not
// valid): the caller gives it BoardPictures::usePlainColour with the colour the user chose.
SetPictures builtInSet(BoardSet set);

// The pictures of set A to D into pictures. Nothing for BoardSet::ownColour.
void useBoardSet(BoardPictures& pictures, BoardSet set);

}  // namespace veld
