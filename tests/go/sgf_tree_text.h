// A record tree as one line of text, to compare trees as a whole. Like SGF, a node is ";" and
// its items, and a node's children stand in parentheses when it has more than one:
//   B[pd] / W[] (a pass), AB[dp pd], AW[..], M[pd:A] (marks as ^T and ^S), C[comment], V[voice].
// Points are letters; texts are UTF-8. Iterative, so deep trees are fine.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "go/node.h"
#include "protocol/codepage.h"
#include "protocol/points.h"

namespace veld::test {

struct TreeTextOptions {
    // Setup stones sorted, for readers that may order a list differently.
    bool sortSetup = false;
    bool withSequenceNumbers = false;
};

inline std::string nodeText(const Node& n, const TreeTextOptions& options) {
    std::string out = ";";
    if (options.withSequenceNumbers) {
        out += '#';
        out += std::to_string(n.sequenceNumber);
    }
    if (n.colour != kEmpty) {
        out += n.colour > 0 ? "B[" : "W[";
        if (n.x != 0 || n.y != 0) out += pointCode(n.x, n.y);
        out += "]";
    }
    for (const auto* list : {&n.blackSetup, &n.whiteSetup}) {
        if (list->empty()) continue;
        std::vector<std::string> points;
        for (const Tgp& p : *list) points.push_back(pointCode(p.x, p.y));
        if (options.sortSetup) std::sort(points.begin(), points.end());
        out += list == &n.blackSetup ? "AB[" : "AW[";
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i > 0) out += ' ';
            out += points[i];
        }
        out += "]";
    }
    for (const Tasso& m : n.markup) {
        std::string label;
        for (char16_t c : m.text) {
            label += c == kTriangleMark ? std::string("^T")
                     : c == kSquareMark ? std::string("^S")
                                        : wideToUtf8(std::u16string(1, c));
        }
        out += "M[";
        out += m.key;
        out += ':';
        out += label;
        out += ']';
    }
    for (const auto& [tag, text] :
         {std::pair{"C[", wideToUtf8(n.comment)}, std::pair{"V[", n.voice}}) {
        if (text.empty()) continue;
        out += tag;
        out += text;
        out += ']';
    }
    return out;
}

inline std::string treeText(const Node& root, const TreeTextOptions& options = {}) {
    std::string out = "(";
    // A node and its only children; returns the first of several children, or null.
    auto sequence = [&](const Node& n) -> const Node* {
        out += nodeText(n, options);
        const Node* c = n.firstChild.get();
        while (c && !c->nextSibling && !c->prevSibling) {
            out += nodeText(*c, options);
            c = c->firstChild.get();
        }
        return c;
    };
    std::vector<const Node*> open{sequence(root)};  // the next variation of each open tree
    while (!open.empty()) {
        const Node* next = open.back();
        if (!next) {
            out += ")";
            open.pop_back();
            continue;
        }
        open.back() = next->nextSibling.get();
        out += "(";
        open.push_back(sequence(*next));
    }
    return out;
}

}  // namespace veld::test
