// How boards look: the picture set (board texture and stone pictures, or plain stones on a plain
// colour), the colour of the last-move cross and the coordinates around the board, as the user
// chose them and the settings keep them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "go/canvas.h"
#include "protocol/ports.h"
#include "protocol/resample.h"

namespace veld {

// "boardcolor": the built-in sets A to D, or a plain colour the user picks (E).
enum class BoardSet : std::uint8_t { a, b, c, d, ownColour };

// The set a stored "boardcolor" restores at start-up: "A", "C" and "D" themselves, anything else
// (also "E", whose colour is not kept) set B.
BoardSet boardSetAtStartup(std::string_view stored);
// The letter stored for the set.
std::string boardSetLetter(BoardSet set);

// "gocrosscolor": "R" a red cross; "N" white on a black stone and black on a white one.
enum class CrossColour : std::uint8_t { red, contrast };
// Empty or "N" give the contrasting cross, any other value the red one.
CrossColour crossColourFromSetting(std::string_view stored);

// The settings every board picture draws with.
struct BoardLook {
    CrossColour cross = CrossColour::contrast;
    bool coordinates = false;  // "boardindex" "1": letters and numbers around the board

    static BoardLook fromSettings(const SettingsStore& settings);
};

// The pictures every board picture shares: the board texture and the black and white stone
// pictures of the chosen set, or a plain colour with plain stones. Pixels are 0x00RRGGBB.
class BoardPictures {
  public:
    // Without a set: a plain wooden colour and plain stones.
    BoardPictures();

    // A set's pictures as the program carries them. A stone picture that is not valid gives
    // plain stones.
    void usePictures(Bitmap32 texture, Bitmap32 blackStone, Bitmap32 whiteStone);
    // A texture of one colour, with plain stones.
    void usePlainColour(Rgb colour);

    const Bitmap32& texture() const { return texture_; }
    bool plainStones() const { return plainStones_; }
    // The stone picture of the colour (+1 black, else white) scaled to side x side. Scaled once
    // per side: pictures laid out at the same spacing share it. Empty when plain stones are used
    // or side is below 1.
    const Bitmap32& scaledStone(int colour, int side);

  private:
    struct Scaled {
        int side = 0;
        Bitmap32 black;
        Bitmap32 white;
    };
    static constexpr std::size_t kScaledSides = 4;

    Bitmap32 texture_;
    Bitmap32 blackStone_;
    Bitmap32 whiteStone_;
    bool plainStones_ = true;
    std::vector<Scaled> scaled_;  // most recently used last
    Bitmap32 none_;
};

// The colour of the plain texture used before a set is chosen.
inline constexpr Rgb kPlainBoardColour = 0xDCB35C;

}  // namespace veld
