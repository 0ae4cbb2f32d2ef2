// What the lobby's list models share: how cells compare and how rows are sorted by a column.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veld {

// Negative, 0 or positive.
inline int compareNumbers(int a, int b) {
    return a < b ? -1 : a > b ? 1 : 0;
}

// Cell texts compared as the lists compare them: converted to 8-bit, byte order, a-z folded to
// upper case. Negative, 0 or positive.
int compareCellText(std::u16string_view a, std::u16string_view b);

// ASCII bytes as wide text (numbers and codes shown in cells).
inline std::u16string latin(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

// Sorts rows stably by compare(rowA, cellA, rowB, cellB) * direction, where cellOf(row) gives
// the row's cell text, computed once per row rather than once per comparison.
template <typename Ref, typename CellOf, typename Compare>
void sortRowsByCell(std::vector<Ref>& rows, int direction, CellOf&& cellOf, Compare&& compare) {
    std::vector<std::pair<Ref, std::u16string>> keyed;
    keyed.reserve(rows.size());
    for (const Ref& row : rows) keyed.emplace_back(row, cellOf(row));
    std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
        return compare(*a.first, a.second, *b.first, b.second) * direction < 0;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) rows[i] = std::move(keyed[i].first);
}

}  // namespace veld
