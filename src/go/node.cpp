#include "go/node.h"

namespace veld {

// The nodes to destroy are kept on one list threaded through nextSibling. Each node taken off
// the list has its children spliced onto the front of it first, so it dies with no links left
// and its own destructor does nothing more.
Node::~Node() {
    std::unique_ptr<Node> pending = std::move(nextSibling);
    auto pushChain = [&pending](std::unique_ptr<Node> chain) {
        Node* last = chain.get();
        while (last->nextSibling) last = last->nextSibling.get();
        last->nextSibling = std::move(pending);
        pending = std::move(chain);
    };
    if (firstChild) pushChain(std::move(firstChild));
    while (pending) {
        std::unique_ptr<Node> head = std::move(pending);
        pending = std::move(head->nextSibling);
        if (head->firstChild) pushChain(std::move(head->firstChild));
    }
}

namespace {

Node& hangBelow(Node& parent, std::unique_ptr<Node> child) {
    Node& added = *child;
    child->parent = &parent;
    if (!parent.firstChild) {
        parent.firstChild = std::move(child);
        return added;
    }
    Node* last = parent.firstChild.get();
    while (last->nextSibling) last = last->nextSibling.get();
    child->prevSibling = last;
    last->nextSibling = std::move(child);
    return added;
}

std::unique_ptr<Node> moveNode(int colour, int x, int y) {
    auto n = std::make_unique<Node>();
    n->colour = colour;
    n->x = x;
    n->y = y;
    return n;
}

}  // namespace

Node& addMove(Node& current, int colour, int x, int y, std::span<const Tgp> captures) {
    auto n = moveNode(colour, x, y);
    n->captures.assign(captures.begin(), captures.end());
    return hangBelow(current, std::move(n));
}

Node& appendToMainLine(Node& from, int colour, int x, int y) {
    Node* leaf = &from;
    while (leaf->firstChild) leaf = leaf->firstChild.get();
    return hangBelow(*leaf, moveNode(colour, x, y));
}

std::unique_ptr<Node> unlinkNode(Node& n) {
    if (!n.parent && !n.prevSibling) return nullptr;
    std::unique_ptr<Node>& owner =
        n.prevSibling ? n.prevSibling->nextSibling : n.parent->firstChild;
    std::unique_ptr<Node> self = std::move(owner);
    owner = std::move(self->nextSibling);
    if (owner) owner->prevSibling = self->prevSibling;
    self->parent = nullptr;
    self->prevSibling = nullptr;
    return self;
}

bool deleteNode(Node& n) {
    return unlinkNode(n) != nullptr;
}

void addMarkup(Node& n, std::string key, std::u16string text) {
    n.markup.push_back(Tasso{std::move(key), std::move(text)});
}

void addSetupStone(Node& n, int colour, int x, int y) {
    Tgp& p = (colour > 0 ? n.blackSetup : n.whiteSetup).emplace_back();
    p.x = x;
    p.y = y;
}

char16_t nextLabelLetter(const Node& n) {
    for (auto it = n.markup.rbegin(); it != n.markup.rend(); ++it) {
        if (it->text.empty()) continue;
        const char16_t first = it->text.front();
        if (first == kTriangleMark || first == kSquareMark) continue;
        if (first == u'Z') return u'a';
        if (first == u'z') return u'A';
        return static_cast<char16_t>(first + 1);
    }
    return u'A';
}

}  // namespace veld
