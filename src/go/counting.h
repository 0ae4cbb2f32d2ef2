// The arithmetic and the explanation of a count at the end of a game: territory minus stones
// lost (and komi for black), the result code, and the text shown to the players.
#pragma once

#include <string>

namespace veld {

class TextTable;

struct ScoreCount {
    int blackTerritory = 0;  // empty points surrounded by black alone
    int whiteTerritory = 0;
    int blackLost = 0;  // black stones captured or marked dead
    int whiteLost = 0;
    double komi = 0;
    std::string komiText;  // the komi as the record holds it, shown in the explanation

    double blackScore() const { return blackTerritory - blackLost - komi; }
    double whiteScore() const { return whiteTerritory - whiteLost; }
    // Black minus white.
    double score() const { return blackScore() - whiteScore(); }
};

// n in the shortest decimal form that reads back as n ("6.5", "3", "-0.5").
std::string shortestDecimal(double n);
// "B+0" for exactly 0, else "B+" or "W+" followed by the margin.
std::string resultCodeFor(double score);
// The explanation: the two formulas, the two sums with their figures, and the result code.
std::u16string scoreMessage(const ScoreCount& count, const TextTable& texts);

}  // namespace veld
