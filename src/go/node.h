// One node of a game record's tree, and the edits the game window makes to the tree.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "go/point.h"
#include "go/tasso.h"

namespace veld {

// A parent owns its children: firstChild owns the first, and each child owns the next through
// nextSibling. parent and prevSibling are plain back links. The children of a node form a doubly
// linked chain; the main line is root -> firstChild -> firstChild ... to a leaf.
//
// Destroying a node destroys its subtree and the siblings after it, without recursion, so a line
// of any length or any number of variations cannot exhaust the call stack. A node is neither
// copied nor moved: its children point back at it.
struct Node {
    std::int32_t colour = kEmpty;  // +1 a black move, -1 a white move, 0 no move
    std::int32_t x = 0;            // 0 when there is no move
    std::int32_t y = 0;
    std::unique_ptr<Node> firstChild;
    Node* parent = nullptr;
    std::unique_ptr<Node> nextSibling;
    Node* prevSibling = nullptr;
    std::u16string comment;
    // Number in document order, 1 for the root; given when a record is read or written, 0 for
    // nodes added since.
    std::int32_t sequenceNumber = 0;
    // The move has been played on the window's board and captures holds its result.
    bool applied = false;
    std::vector<Tasso> properties;
    std::vector<Tgp> captures;  // x and y only
    std::vector<Tgp> blackSetup;
    std::vector<Tgp> whiteSetup;
    std::vector<Tasso> markup;  // key: two-letter point; text: label or mark
    std::string voice;          // raw bytes of a voice recording; empty when none

    Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    ~Node();
};

// Adds a move node below current, as its first child or else after its last child (the last
// variation). The node gets a copy of captures.
Node& addMove(Node& current, int colour, int x, int y, std::span<const Tgp> captures = {});
// Hangs a move node as the first child of the leaf at the end of the main line below from.
Node& appendToMainLine(Node& from, int colour, int x, int y);

// Takes n and its subtree out of the tree, linking its neighbours in the sibling chain (and the
// parent's firstChild) past it, and hands it over detached (no parent, no siblings). A root (no
// parent, no previous sibling) is owned from outside the tree: nothing happens and null is
// returned.
std::unique_ptr<Node> unlinkNode(Node& n);
// unlinkNode, then destroys n and its subtree. False (nothing done) for a root.
bool deleteNode(Node& n);

void addMarkup(Node& n, std::string key, std::u16string text);
// A setup stone: colour above 0 goes to blackSetup, any other to whiteSetup.
void addSetupStone(Node& n, int colour, int x, int y);

// The letter the label tool puts next at n: the character after the first character of the last
// text label of n's markup ("Z" is followed by "a", "z" by "A"); "A" when n has no text label.
// Marks and empty labels are not text labels.
char16_t nextLabelLetter(const Node& n);

}  // namespace veld
