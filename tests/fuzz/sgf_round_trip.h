// Checks shared by the SGF fuzz targets: a record that was read is written and read again, and
// the second tree must be the first, up to what the writing is meant to change.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "go/record_info.h"
#include "go/sgf_reader.h"
#include "go/sgf_standard.h"
#include "go/sgf_tree_text.h"
#include "go/sgf_writer.h"
#include "fuzz_check.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"

namespace veld::fuzz {

template <class F>
void forEachNode(Node& root, F f) {
    std::vector<Node*> stack{&root};
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        f(*n);
        if (n->nextSibling && n != &root) stack.push_back(n->nextSibling.get());
        if (n->firstChild) stack.push_back(n->firstChild.get());
    }
}

// What a reader makes of coordinates once the board size is known from the start: moves off the
// board at (N, N), setup coordinates off the board at N.
inline void clampToBoard(Node& n, int size) {
    const auto off = [size](int v) { return v < 1 || v > size; };
    if (n.x != 0 && n.y != 0 && (off(n.x) || off(n.y))) n.x = n.y = size;
    for (auto* list : {&n.blackSetup, &n.whiteSetup}) {
        for (Tgp& p : *list) {
            if (off(p.x)) p.x = size;
            if (off(p.y)) p.y = size;
        }
    }
}

inline bool anyVoice(Node& root) {
    bool found = false;
    forEachNode(root, [&](Node& n) { found = found || !n.voice.empty(); });
    return found;
}

inline std::string recordText(Node& root, int size, bool hasVoice) {
    const RecordInfo info = RecordInfo::fromRoot(root, size, hasVoice);
    return writeRecordSgf(root, SgfWriteMode::WithVoice, info.rootProperties());
}

// Record dialect: the same tree, except that blank comments are not written and labels pass
// through the system code page.
inline void checkRecordRoundTrip(SgfReadResult& first) {
    Node& root = *first.root;
    const std::string text = recordText(root, first.boardSize, first.hasVoice);
    SgfReadResult second = readSgf(text);
    FUZZ_CHECK(second.ok());
    FUZZ_CHECK(second.boardSize == first.boardSize);
    FUZZ_CHECK(second.hasVoice == anyVoice(root));
    forEachNode(root, [&](Node& n) {
        clampToBoard(n, first.boardSize);
        if (trimSpacesW(n.comment).empty()) n.comment.clear();
        for (Tasso& m : n.markup) m.text = ansiToWide(wideToAnsi(m.text, 950), 950);
    });
    const test::TreeTextOptions numbered{.withSequenceNumbers = true};
    FUZZ_CHECK(test::treeText(*second.root, numbered) == test::treeText(root, numbered));

    // Written and read once more, the tree stays as it is.
    const SgfReadResult third =
        readSgf(recordText(*second.root, second.boardSize, second.hasVoice));
    FUZZ_CHECK(third.ok());
    FUZZ_CHECK(test::treeText(*third.root, numbered) == test::treeText(*second.root, numbered));
}

// Standard SGF: the same structure, moves, setup stones and comments (markup is written in
// standard forms that keep less, and setup lists may change order).
inline void checkStandardRoundTrip(SgfReadResult& first) {
    Node& root = *first.root;
    const RecordInfo info = RecordInfo::fromRoot(root, first.boardSize, first.hasVoice);
    const std::string text = writeStandardSgf(root, info);
    SgfReadResult second = readPlainSgf(text);
    FUZZ_CHECK(second.ok());
    FUZZ_CHECK(second.boardSize == first.boardSize);
    const auto strip = [](Node& n) {
        n.markup.clear();
        n.voice.clear();
    };
    forEachNode(root, [&](Node& n) {
        clampToBoard(n, first.boardSize);
        n.comment = utf8ToWide(wideToUtf8(n.comment));
        strip(n);
    });
    forEachNode(*second.root, strip);
    const test::TreeTextOptions sorted{.sortSetup = true};
    FUZZ_CHECK(test::treeText(*second.root, sorted) == test::treeText(root, sorted));
}

}  // namespace veld::fuzz
