#include "go/tree.h"

namespace veld {

int moveNumber(const Node& n) {
    int number = 0;
    for (const Node* m = &n; m && m->x != 0; m = m->parent) ++number;
    return number;
}

int variationIndex(const Node& n) {
    int index = 1;
    for (const Node* m = n.prevSibling; m; m = m->prevSibling) ++index;
    return index;
}

bool hasVariations(const Node& n) {
    return n.prevSibling || n.nextSibling;
}

const Node* ancestor(const Node& n, int k) {
    if (k <= 0) return nullptr;
    const Node* m = &n;
    for (int i = 0; i < k && m; ++i) m = m->parent;
    return m;
}

Node* ancestor(Node& n, int k) {
    return const_cast<Node*>(ancestor(static_cast<const Node&>(n), k));
}

const Node& followMainLine(const Node& n, int k) {
    const Node* m = &n;
    for (int i = 0; i < k && m->firstChild; ++i) m = m->firstChild.get();
    return *m;
}

Node& followMainLine(Node& n, int k) {
    return const_cast<Node&>(followMainLine(static_cast<const Node&>(n), k));
}

const Node* lastChild(const Node& n) {
    const Node* m = n.firstChild.get();
    while (m && m->nextSibling) m = m->nextSibling.get();
    return m;
}

Node* lastChild(Node& n) {
    return const_cast<Node*>(lastChild(static_cast<const Node&>(n)));
}

int mainLineLength(const Node& root) {
    int length = 0;
    for (const Node* m = root.firstChild.get(); m; m = m->firstChild.get()) ++length;
    return length;
}

// Pre-order walk by links alone: down to the first child, else on to the next sibling of the
// nearest node that has one, never climbing above n's own level.
const Node* findBySequence(const Node& n, int s) {
    const Node* const top = n.parent;
    const Node* m = &n;
    while (true) {
        if (m->sequenceNumber == s) return m;
        if (m->firstChild) {
            m = m->firstChild.get();
            continue;
        }
        while (m != top && !m->nextSibling) m = m->parent;
        if (m == top) return nullptr;
        m = m->nextSibling.get();
    }
}

Node* findBySequence(Node& n, int s) {
    return const_cast<Node*>(findBySequence(static_cast<const Node&>(n), s));
}

std::vector<const Node*> pathToRoot(const Node& n) {
    std::vector<const Node*> path;
    for (const Node* m = &n; m; m = m->parent) path.push_back(m);
    return path;
}

std::vector<Node*> pathToRoot(Node& n) {
    std::vector<Node*> path;
    for (Node* m = &n; m; m = m->parent) path.push_back(m);
    return path;
}

std::u16string lookupProperty(const Node& root, std::string_view id) {
    return labelForPoint(root.properties, id);
}

}  // namespace veld
