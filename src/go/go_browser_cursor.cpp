// The game window's cursor: moving through the record while the board keeps the position after
// the current node. A node's captures are searched for once, the first time its move is played;
// after that the node replays them from what it keeps.
#include <cstdint>
#include <unordered_set>

#include "go/go_browser.h"
#include "go/tree.h"

namespace veld {

namespace {

bool hasPoint(const Node& n) {
    return n.x != 0 && n.y != 0;
}

}  // namespace

void GoBrowser::enterChild(Node& child) {
    redrawMarkupPoints(*current_);
    setCurrent(child);
    if (hasPoint(child)) {
        if (board_.colourAt(child.x, child.y) != kEmpty) overwrote_.insert(&child);
        if (child.applied) {
            board_.setColour(child.x, child.y, child.colour);
        } else {
            const std::span<const Tgp> captured = board_.playStone(child.x, child.y, child.colour);
            ++captureSearches_;
            child.captures.assign(captured.begin(), captured.end());
        }
    }
    child.applied = true;
    showCurrentNode();
}

// Undoes the current node on the board: its captures come back and its stone goes. A node that
// put setup stones on the board, or played on a stone, cannot be undone that way (the stones it
// covered are not kept), so the board is built again from the root.
bool GoBrowser::leaveCurrent() {
    Node& n = *current_;
    if (!n.parent) return false;
    const bool rebuild = !n.blackSetup.empty() || !n.whiteSetup.empty() || overwrote_.contains(&n);
    setCurrent(*n.parent);
    if (rebuild) {
        rebuildBoard();
        redrawBoard();
    } else {
        const int back = n.colour > 0 ? kWhite : kBlack;
        for (const Tgp& c : n.captures) {
            board_.setColour(c.x, c.y, back);
            drawStone(c.x, c.y, back);
        }
        if (hasPoint(n)) {
            board_.setColour(n.x, n.y, kEmpty);
            drawStone(n.x, n.y, kEmpty);
        }
        redrawMarkupPoints(n);
    }
    showCurrentNode();
    return true;
}

void GoBrowser::setCurrent(Node& n) {
    int number = 0;
    if (n.x == 0) {
        number = 0;
    } else if (n.parent == current_) {
        number = currentNumber_ + 1;
    } else if (current_->parent == &n && current_->x != 0) {
        number = currentNumber_ - 1;
    } else {
        number = moveNumber(n);
    }
    current_ = &n;
    currentNumber_ = number;
}

int GoBrowser::parentNumber(const Node* parent, int number) const {
    // A node numbered above 0 has a move; its parent's number is one less (0 when the parent has
    // no move). Below a node without a move the count starts afresh.
    if (!parent) return 0;
    return number > 0 ? number - 1 : moveNumber(*parent);
}

bool GoBrowser::stepped(int direction) {
    if (direction < 0) return leaveCurrent();
    if (direction == 0 || !current_->firstChild) return false;
    enterChild(*current_->firstChild);
    return true;
}

void GoBrowser::step(int direction) {
    stepped(direction);
    updateToPlay();
}

void GoBrowser::moveBy(int k) {
    if (role == Role::study) saveCommentEdit();
    board_.setKo(0, 0, 0);
    if (k == 999) {
        while (stepped(+1)) {
        }
    } else if (k == -999) {
        while (stepped(-1)) {
        }
    } else {
        const std::int64_t steps = k < 0 ? -static_cast<std::int64_t>(k) : k;
        for (std::int64_t i = 0; i < steps && stepped(k); ++i) {
        }
    }
    // A move played for the first time on the way sets the ko point again; the position reached
    // by moving through the record has none.
    board_.setKo(0, 0, 0);
    updateToPlay();
}

void GoBrowser::goToStart() {
    while (stepped(-1)) {
    }
    showCurrentNode();
    if (root_->blackSetup.empty() && root_->whiteSetup.empty() && root_->firstChild) stepped(+1);
    updateToPlay();
}

void GoBrowser::enterSibling(Node& sibling) {
    stepped(-1);
    enterChild(sibling);
    updateToPlay();
}

void GoBrowser::switchVariation(bool backAndForthAtLast) {
    if (current_->colour == kEmpty) return;
    saveCommentEdit();
    if (Node* next = current_->nextSibling.get()) {
        enterSibling(*next);
    } else if (backAndForthAtLast) {
        stepped(-1);
        stepped(+1);
        updateToPlay();
    }
}

bool GoBrowser::nextBranch() {
    for (;;) {
        if (!current_->parent) {
            updateToPlay();
            return false;
        }
        if (Node* next = current_->nextSibling.get()) {
            saveCommentEdit();
            enterSibling(*next);
            return true;
        }
        stepped(-1);
    }
}

void GoBrowser::applyPath(std::span<Node* const> path) {
    if (path.empty() || path.back() != root_.get()) return;
    const std::unordered_set<const Node*> onPath(path.begin(), path.end());
    while (!onPath.contains(current_)) stepped(-1);
    std::size_t at = 0;
    while (path[at] != current_) ++at;
    for (std::size_t j = at; j-- > 0;) {
        if (path[j]->parent != current_) break;
        enterChild(*path[j]);
    }
    showCurrentNode();
    updateToPlay();
}

bool GoBrowser::backTo(const Node* n) {
    const Node* m = current_;
    while (m && m != n) m = m->parent;
    if (!n || !m) return false;
    while (current_ != n) stepped(-1);
    updateToPlay();
    return true;
}

bool GoBrowser::forwardTo(const Node* n) {
    const Node* m = current_;
    while (m && m != n) m = m->firstChild.get();
    if (!n || !m) return false;
    while (current_ != n) stepped(+1);
    updateToPlay();
    return true;
}

const Node* GoBrowser::previousCommented() const {
    for (const Node* m = current_->parent; m && m->parent; m = m->parent)
        if (!m->comment.empty()) return m;
    return nullptr;
}

const Node* GoBrowser::nextCommented() const {
    for (const Node* m = current_->firstChild.get(); m; m = m->firstChild.get())
        if (!m->comment.empty()) return m;
    return nullptr;
}

void GoBrowser::updateToPlay() {
    toPlay = current_->colour > 0 ? kWhite : kBlack;
}

}  // namespace veld
