#include "protocol/search.h"

#include <algorithm>

namespace veld {

namespace {

template <typename List, typename Text>
std::optional<std::size_t> indexOf(const List& list, Text s) {
    const auto it = std::find(list.begin(), list.end(), s);
    if (it == list.end()) return std::nullopt;
    return static_cast<std::size_t>(it - list.begin());
}

}  // namespace

bool containsW(std::u16string_view pattern, std::u16string_view text) {
    if (pattern.empty()) return text.empty();
    return text.find(pattern) != std::u16string_view::npos;
}

bool matchAtW(std::u16string_view pattern, std::u16string_view text, std::size_t at) {
    if (at > text.size() || text.size() - at < pattern.size()) return false;
    return text.substr(at, pattern.size()) == pattern;
}

bool matchesWordList(std::u16string_view text, std::span<const std::u16string> list) {
    constexpr std::size_t kExactEntries = 4;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const bool hit = i < kExactEntries ? list[i] == text : containsW(list[i], text);
        if (hit) return true;
    }
    return false;
}

bool containsListChar(std::u16string_view text, std::span<const std::u16string> list) {
    for (const std::u16string& entry : list) {
        if (!entry.empty() && text.find(entry.front()) != std::u16string_view::npos) return true;
    }
    return false;
}

std::optional<std::size_t> indexInList(std::span<const std::string> list, std::string_view s) {
    return indexOf(list, s);
}

std::optional<std::size_t> indexInListW(std::span<const std::u16string> list,
                                        std::u16string_view w) {
    return indexOf(list, w);
}

}  // namespace veld
