// Entries of two texts: the property entries and markup entries of a game tree's nodes, and the
// record properties written to a file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veld {

// A property (key = identifier such as "PB", text = its value) or a markup entry (key = the point
// as two letters, x first; text = the label).
struct Tasso {
    std::string key;
    std::u16string text;

    bool operator==(const Tasso&) const = default;
};

// A record property in 8-bit text, as written to a file.
struct Tassox {
    std::string key;
    std::string value;

    bool operator==(const Tassox&) const = default;
};

// Markup labels that start with these characters are marks, not text drawn on the point.
inline constexpr char16_t kTriangleMark = u'\u0001';
inline constexpr char16_t kSquareMark = u'\u0002';

// The text of the first entry whose key equals key (exact, case-sensitive); empty when none.
std::u16string labelForPoint(const std::vector<Tasso>& list, std::string_view key);

}  // namespace veld
