// The one-byte rank code that every rank on the wire uses. A code c above 100 is an established
// rank: the same rank as c - 100, shown with a "*" behind it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veld {

// The code of an empty code string: "17k".
inline constexpr std::uint8_t kRankCodeOfEmpty = 9;

// The rank text: "26k" ... "1k", "1d" ... "9d", "1p" ... "9p", empty for 44-49, "31k" ... "26k"
// for 50-55, (b - 29) + "k" above; "*" behind it for an established code.
std::string rankCodeToText(std::uint8_t code);
// The first byte of `code` as above; an empty string counts as kRankCodeOfEmpty.
std::string rankCodeToText(std::string_view code);
// As rankCodeToText, except that a plain "31k" reads "NR" (not rated).
std::string rankCodeToLabel(std::uint8_t code);
// The rank number: larger is stronger; -5 ("31k") is the weakest valid rank.
int rankCodeToValue(std::uint8_t code);
bool isEstablished(std::uint8_t code);
bool isStronger(std::uint8_t a, std::uint8_t b);
// The code of a rank text such as "3d", "12k" or "NR" (read as "31k"); a text of at most one
// character, or one with an unknown last letter, gives 26 ("1d"); a number that is not all
// digits counts as 1.
std::uint8_t rankTextToCode(std::string_view text, bool established);

}  // namespace veld
