// The fixed points of black handicap stones.
#pragma once

#include <vector>

#include "go/point.h"

namespace veld {

// The stones of a record's handicap count: 2 to 9 stones on any board size (points beyond a small
// board are listed all the same); any other count gives none. x and y only, in table order.
std::vector<Tgp> recordHandicapPoints(int stones);

// The stones a game window places: 2 to 25 stones, on a 19 x 19 board only; any other count or
// size gives none. Counts 2 to 9 are those of recordHandicapPoints; every larger count adds points
// to a smaller one, and every odd count from 5 up is the even count below it plus the centre.
std::vector<Tgp> windowHandicapPoints(int stones, int boardSize);

}  // namespace veld
