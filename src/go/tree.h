// Read-only queries on a game tree: move and variation numbers, walks along the main line,
// searches by sequence number and record properties.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "go/node.h"

namespace veld {

// 0 when n has no move (x = 0); else the number of consecutive nodes with a move from n up
// through its parents. Numbering starts again at 1 after any node without a move.
int moveNumber(const Node& n);
// 1 + the number of variations before n: 1 for a first child.
int variationIndex(const Node& n);
bool hasVariations(const Node& n);

// Follows parent k times; null for k <= 0 or when the root is passed.
Node* ancestor(Node& n, int k);
const Node* ancestor(const Node& n, int k);
// Follows firstChild up to k times, stopping at a leaf; n itself for k <= 0.
Node& followMainLine(Node& n, int k);
const Node& followMainLine(const Node& n, int k);
// The last of n's children; null when n has none.
Node* lastChild(Node& n);
const Node* lastChild(const Node& n);
// The number of nodes on the firstChild chain below root (root not counted).
int mainLineLength(const Node& root);

// The first node with sequence number s in depth-first order starting at n: n, then its subtree,
// then the siblings after n with their subtrees. Null when there is none. Iterative.
Node* findBySequence(Node& n, int s);
const Node* findBySequence(const Node& n, int s);

// n, its parent, ..., the root.
std::vector<Node*> pathToRoot(Node& n);
std::vector<const Node*> pathToRoot(const Node& n);

// The value of the first of root's properties with identifier id (exact); empty when none.
std::u16string lookupProperty(const Node& root, std::string_view id);

}  // namespace veld
