#include "go/board_look.h"

#include <algorithm>
#include <utility>

namespace veld {

namespace {

// A plain texture is small but not tiny, so that tiling it takes few draws.
constexpr int kPlainTextureSide = 32;

}  // namespace

BoardSet boardSetAtStartup(std::string_view stored) {
    if (stored == "A") return BoardSet::a;
    if (stored == "C") return BoardSet::c;
    if (stored == "D") return BoardSet::d;
    return BoardSet::b;
}

std::string boardSetLetter(BoardSet set) {
    switch (set) {
        case BoardSet::a:
            return "A";
        case BoardSet::b:
            return "B";
        case BoardSet::c:
            return "C";
        case BoardSet::d:
            return "D";
        case BoardSet::ownColour:
            return "E";
    }
    return "B";
}

CrossColour crossColourFromSetting(std::string_view stored) {
    return stored.empty() || stored == "N" ? CrossColour::contrast : CrossColour::red;
}

BoardLook BoardLook::fromSettings(const SettingsStore& settings) {
    BoardLook look;
    look.cross = crossColourFromSetting(settings.readString("gocrosscolor"));
    look.coordinates = settings.readString("boardindex") == "1";
    return look;
}

BoardPictures::BoardPictures() {
    usePlainColour(kPlainBoardColour);
}

void BoardPictures::usePictures(Bitmap32 texture, Bitmap32 blackStone, Bitmap32 whiteStone) {
    texture_ = std::move(texture);
    blackStone_ = std::move(blackStone);
    whiteStone_ = std::move(whiteStone);
    plainStones_ = !blackStone_.isValid() || !whiteStone_.isValid();
    scaled_.clear();
}

void BoardPictures::usePlainColour(Rgb colour) {
    texture_.width = kPlainTextureSide;
    texture_.height = kPlainTextureSide;
    texture_.pixels.assign(kPlainTextureSide * kPlainTextureSide, colour & 0xFFFFFFu);
    blackStone_ = {};
    whiteStone_ = {};
    plainStones_ = true;
    scaled_.clear();
}

const Bitmap32& BoardPictures::scaledStone(int colour, int side) {
    if (plainStones_ || side < 1) return none_;
    auto found = std::find_if(scaled_.begin(), scaled_.end(),
                              [side](const Scaled& s) { return s.side == side; });
    if (found == scaled_.end()) {
        if (scaled_.size() == kScaledSides) scaled_.erase(scaled_.begin());
        Scaled s;
        s.side = side;
        s.black = {side, side, {}};
        s.white = {side, side, {}};
        resampleBitmap(blackStone_, s.black);
        resampleBitmap(whiteStone_, s.white);
        scaled_.push_back(std::move(s));
        found = scaled_.end() - 1;
    } else {
        std::rotate(found, found + 1, scaled_.end());
        found = scaled_.end() - 1;
    }
    return colour > 0 ? found->black : found->white;
}

}  // namespace veld
