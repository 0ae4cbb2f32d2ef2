// Searches in wide text and in the word and name lists. Comparisons are by exact code unit
// (case-sensitive). Positions and indexes are 0-based.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace veld {

// True when pattern occurs in text (equal text included). An empty pattern is found only in
// empty text, so an empty entry of a word list never matches every name.
bool containsW(std::u16string_view pattern, std::u16string_view text);
// True when text has at least len(pattern) units from the 0-based index `at` on and they equal
// pattern.
bool matchAtW(std::u16string_view pattern, std::u16string_view text, std::size_t at);

// The forbidden-word test: the first 4 entries must equal text, every later entry may occur
// anywhere in it (containsW). True at the first hit.
bool matchesWordList(std::u16string_view text, std::span<const std::u16string> list);
// True when some unit of text equals the first unit of some entry (empty entries are skipped).
bool containsListChar(std::u16string_view text, std::span<const std::u16string> list);

// The 0-based index of the first entry equal to s, or nullopt.
std::optional<std::size_t> indexInList(std::span<const std::string> list, std::string_view s);
std::optional<std::size_t> indexInListW(std::span<const std::u16string> list,
                                        std::u16string_view w);

}  // namespace veld
