// The game window's record: creating, reading, writing and turning it, and the board kept as the
// position after the cursor.
#include "go/go_browser.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "go/handicap.h"
#include "go/tree.h"
#include "protocol/file_write.h"
#include "protocol/points.h"
#include "protocol/text_table.h"

namespace veld {

namespace {

const DrawingSettings kNoNumbers{};

bool hasPoint(const Node& n) {
    return n.x != 0 && n.y != 0;
}

// The position after target, built from the root by playing every node on the way from what it
// keeps: its stone, its setup stones, then its captures taken off (as the window shows a node).
Tboard replayPosition(const Node& target, int size) {
    Tboard board(size);
    const std::vector<const Node*> path = pathToRoot(target);
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        const Node& n = **it;
        if (hasPoint(n) && n.applied) board.setColour(n.x, n.y, n.colour);
        board.setColours(n.blackSetup, kBlack);
        board.setColours(n.whiteSetup, kWhite);
        board.setColours(n.captures, kEmpty);
    }
    return board;
}

// A quarter turn clockwise on a board of size lines; points off the board stay as they are.
void turnPoint(int& x, int& y, int size) {
    if (x < 1 || y < 1 || x > size || y > size) return;
    const int turnedX = size + 1 - y;
    y = x;
    x = turnedX;
}

void turnPoints(std::vector<Tgp>& points, int size) {
    for (Tgp& p : points) turnPoint(p.x, p.y, size);
}

}  // namespace

GoBrowser::GoBrowser(const DrawingSettings& drawing, const TextTable& texts)
    : drawing_(&drawing), texts_(&texts), root_(std::make_unique<Node>()), board_(19) {
    root_->applied = true;
    current_ = root_.get();
    currentNumber_ = moveNumber(*current_);
}

GoBrowser::GoBrowser(const DrawingSettings& drawing) : GoBrowser(drawing, TextTable::builtIn()) {}

GoBrowser::GoBrowser() : GoBrowser(kNoNumbers) {}

void GoBrowser::resetCursorState() {
    current_ = root_.get();
    currentNumber_ = moveNumber(*current_);
    deadGroups_.clear();
    overwrote_.clear();
}

void GoBrowser::newRecord(int n) {
    if (n >= 20 || n < 1) n = 19;
    root_ = std::make_unique<Node>();
    root_->applied = true;
    board_.init(n);
    info.boardSize = n;
    resetCursorState();
}

void GoBrowser::resetRecord(int n) {
    newRecord(n);
    info.setEventName(u"");
    info.eventWritten = "New";
    info.setBlackName(u"");
    info.setWhiteName(u"");
    info.setBlackRank(u"");
    info.setWhiteRank(u"");
    info.setResultCode("", *texts_);
    info.date.clear();
    info.komi.clear();
    redrawAll();
}

bool GoBrowser::loadFromText(std::string_view text, const SgfReadOptions& options) {
    loadedText = text;
    return loadRecord(readSgf(text, options));
}

bool GoBrowser::loadRecord(SgfReadResult read) {
    if (!read.ok()) {
        loadError_ = read.error.empty() ? std::string("no record") : read.error;
        loadErrorAt_ = read.errorAt;
        return false;
    }
    loadError_.clear();
    loadErrorAt_ = {};
    root_ = std::move(read.root);
    info = RecordInfo::fromRoot(*root_, read.boardSize, read.hasVoice, *texts_);
    board_.init(read.boardSize);
    resetCursorState();
    placeRootOnBoard();
    return true;
}

// The root is never stepped into, so its move (a record may start with one) and its setup stones
// go on the board as soon as it becomes the record.
void GoBrowser::placeRootOnBoard() {
    Node& r = *root_;
    if (hasPoint(r) && !r.applied) {
        const std::span<const Tgp> captured = board_.playStone(r.x, r.y, r.colour);
        ++captureSearches_;
        r.captures.assign(captured.begin(), captured.end());
    }
    r.applied = true;
    board_.setColours(r.blackSetup, kBlack);
    board_.setColours(r.whiteSetup, kWhite);
    board_.setColours(r.captures, kEmpty);
}

bool GoBrowser::loadFromFile(const std::filesystem::path& path, const SgfReadOptions& options) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > sgf::kMaxTextBytes) {
        loadError_ = error ? error.message() : std::string("the file is too large");
        loadErrorAt_ = {};
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        loadError_ = "the file cannot be read";
        loadErrorAt_ = {};
        return false;
    }
    if (!loadFromText(bytes, options)) return false;
    fileName = path;
    return true;
}

std::string GoBrowser::recordText(SgfWriteMode mode) {
    info.boardSize = board_.size();
    const std::vector<Tassox> properties = info.rootProperties();
    return writeRecordSgf(*root_, mode, properties);
}

bool GoBrowser::saveToFile(const std::filesystem::path& path, SgfWriteMode mode) {
    // A write that fails must not cost the file what it held.
    return replaceFile(path, recordText(mode));
}

bool GoBrowser::loadAndGoto(std::string_view text, int s, const SgfReadOptions& options) {
    if (!loadFromText(text, options)) return false;
    showCurrentNode();
    if (current_->sequenceNumber != s) Gotonode(s);
    return true;
}

bool GoBrowser::Gotonode(int s) {
    Node* target = findBySequence(*current_, s);
    if (!target) return false;
    const std::vector<Node*> path = pathToRoot(*target);
    applyPath(path);
    return true;
}

void GoBrowser::rotateRecord() {
    moveBy(-999);
    const int size = board_.size();
    // Every node, without recursion: down the first children, then on to the next sibling of the
    // nearest node that has one.
    for (Node* n = root_.get(); n;) {
        turnPoint(n->x, n->y, size);
        turnPoints(n->captures, size);
        turnPoints(n->blackSetup, size);
        turnPoints(n->whiteSetup, size);
        for (Tasso& m : n->markup) {
            BoardPoint p = pointOf(m.key);
            if (m.key.size() != 2 || !board_.isOnBoard(p.x, p.y)) continue;
            turnPoint(p.x, p.y, size);
            m.key = pointCode(p.x, p.y);
        }
        if (n->firstChild) {
            n = n->firstChild.get();
            continue;
        }
        while (n && !n->nextSibling) n = n->parent;
        if (n) n = n->nextSibling.get();
    }
    rebuildBoard();
    redrawAll();
}

void GoBrowser::placeHandicap(int stones) {
    for (const Tgp& p : windowHandicapPoints(stones, board_.size()))
        addSetupStone(p.x, p.y, kBlack);
}

void GoBrowser::rebuildBoard() {
    const Tgp ko = board_.koPoint();
    board_ = replayPosition(*current_, board_.size());
    board_.setKo(ko.x, ko.y, ko.colour);
}

void GoBrowser::forget(const Node& subtree) {
    if (overwrote_.empty()) return;
    overwrote_.erase(&subtree);
    for (const Node* n = subtree.firstChild.get(); n;) {
        overwrote_.erase(n);
        if (n->firstChild) {
            n = n->firstChild.get();
            continue;
        }
        while (n && n != &subtree && !n->nextSibling) n = n->parent;
        n = (n && n != &subtree) ? n->nextSibling.get() : nullptr;
    }
}

std::string GoBrowser::checkInvariants() const {
    if (!current_) return "no current node";
    const Node* top = current_;
    while (top->parent) {
        if (top->prevSibling ? top->prevSibling->nextSibling.get() != top
                             : top->parent->firstChild.get() != top)
            return "the current node's line is not linked into the tree";
        top = top->parent;
    }
    if (top != root_.get()) return "the current node is not in the record";
    if (currentNumber_ != moveNumber(*current_)) return "the current move number is stale";
    for (const Node* n = current_; n; n = n->parent)
        if (!n->applied) return "a node on the way to the current node was never played";
    Tboard expected = replayPosition(*current_, board_.size());
    for (const Tcapture& dead : deadGroups_) expected.setColours(dead.stones, kEmpty);
    for (int x = 1; x <= board_.size(); ++x)
        for (int y = 1; y <= board_.size(); ++y)
            if (expected.colourAt(x, y) != board_.colourAt(x, y))
                return "the board differs from the current node's position at " + pointCode(x, y);
    return {};
}

}  // namespace veld
