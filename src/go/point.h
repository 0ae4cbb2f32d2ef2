// One board point, and the plain point-with-colour record used in lists (captured stones, setup
// stones, handicap stones, diagram moves).
#pragma once

#include <cstdint>
#include <string>

namespace veld {

// Colours are signed: the opponent of a colour is its negation.
inline constexpr std::int32_t kBlack = 1;
inline constexpr std::int32_t kWhite = -1;
inline constexpr std::int32_t kEmpty = 0;

// Coordinates count from 1: x is the column from the left, y the row from the top.
struct Tgp {
    std::int32_t colour = kEmpty;
    std::int32_t x = 0;
    std::int32_t y = 0;
    // Visit mark of a search. A board keeps its visit marks to itself, so every Tgp it hands out
    // carries 0 here.
    std::int32_t mark = 0;
    std::int32_t moveNumber = 0;  // written by diagram printing only
    std::string label;            // written by diagram printing only

    bool operator==(const Tgp&) const = default;
};

}  // namespace veld
