// Board fixtures as small pictures. A picture lists the rows of the board from the top, one
// character per point from the left: "X" black, "O" white, "." empty ("#" marks a point in
// pointsPicture). Rows are separated by "/" or new lines; spaces are ignored, so
// ". X O / X O . / . X ." is a 3 x 3 board.
#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "go/board.h"

namespace veld::test {

inline std::vector<std::string> diagramRows(std::string_view text) {
    std::vector<std::string> rows(1);
    for (char ch : text) {
        if (ch == '/' || ch == '\n') {
            rows.emplace_back();
        } else if (ch != ' ') {
            rows.back() += ch;
        }
    }
    std::erase_if(rows, [](const std::string& r) { return r.empty(); });
    return rows;
}

// The canonical form of a picture, as picture() prints one: points separated by a space, each
// row ended by a new line.
inline std::string diagram(std::string_view text) {
    std::string out;
    for (const std::string& row : diagramRows(text)) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) out += ' ';
            out += row[i];
        }
        out += '\n';
    }
    return out;
}

inline Tboard boardFrom(std::string_view text) {
    const std::vector<std::string> rows = diagramRows(text);
    const int n = static_cast<int>(rows.size());
    Tboard board(n);
    for (int y = 1; y <= n; ++y) {
        const std::string& row = rows[y - 1];
        if (static_cast<int>(row.size()) != n)
            ADD_FAILURE() << "row " << y << " is not " << n << " wide";
        for (int x = 1; x <= n && x <= static_cast<int>(row.size()); ++x) {
            const char ch = row[x - 1];
            if (ch == 'X') {
                board.setColour(x, y, kBlack);
            } else if (ch == 'O') {
                board.setColour(x, y, kWhite);
            } else if (ch != '.') {
                ADD_FAILURE() << "unknown point '" << ch << "'";
            }
        }
    }
    return board;
}

inline char stoneChar(int colour) {
    return colour > 0 ? 'X' : colour < 0 ? 'O' : '.';
}

inline std::string picture(const Tboard& board) {
    std::string text;
    for (int y = 1; y <= board.size(); ++y) {
        for (int x = 1; x <= board.size(); ++x) {
            text += stoneChar(board.colourAt(x, y));
            text += ' ';
        }
        text += '\n';
    }
    return diagram(text);
}

// A board of the given size with "#" at each listed point.
inline std::string pointsPicture(int size, std::span<const Tgp> points) {
    std::vector<std::string> rows(size, std::string(size, '.'));
    for (const Tgp& p : points)
        if (p.x >= 1 && p.y >= 1 && p.x <= size && p.y <= size) rows[p.y - 1][p.x - 1] = '#';
    std::string text;
    for (const std::string& row : rows) text += row + "\n";
    return diagram(text);
}

// Two letters per point, x first ('a' = 1), separated by spaces, in list order.
inline std::string pointList(std::span<const Tgp> points) {
    std::string text;
    for (const Tgp& p : points) {
        if (!text.empty()) text += ' ';
        text += static_cast<char>('a' + p.x - 1);
        text += static_cast<char>('a' + p.y - 1);
    }
    return text;
}

// The stones of a board in scan order as "point:colour" ("sa:X kj:O").
inline std::string stoneList(const Tboard& board) {
    std::string text;
    for (const Tgp& p : board.occupiedPoints()) {
        if (!text.empty()) text += ' ';
        text += pointList(std::span(&p, 1)) + ':' + stoneChar(p.colour);
    }
    return text;
}

// The point of two letters ("pd": x = 16, y = 4).
inline Tgp pt(std::string_view letters) {
    Tgp p;
    p.x = letters[0] - 'a' + 1;
    p.y = letters[1] - 'a' + 1;
    return p;
}

}  // namespace veld::test
