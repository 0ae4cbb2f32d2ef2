// The sentence that announces a game's result, built from its result code: a winner letter
// ("B" black, "W" white, "E" undecided), "+", and a reason ("R" resignation, "T" time or a
// ruling, "S" adjourned, otherwise the margin in points, e.g. "B+5.5").
#pragma once

#include <string>
#include <string_view>

namespace veld {

class TextTable;

// Empty unless r has at least 2 bytes with '+' second. "E+…": CR LF + row 385. Otherwise the
// reason is the first byte of the rest trimmed, and black wins only for the letter "B":
// "R" loser + row 752, "T" loser + row 755, "S" winner + row 986, anything else
// winner + " " + row 294 + the trimmed rest.
std::u16string resultSentence(std::u16string_view blackName, std::u16string_view whiteName,
                              std::string_view r, const TextTable& texts);

}  // namespace veld
