// What the game window shows of itself in its room: the current node on the board picture, the
// numbers of the last moves, the move number, the text pane and the player list. Every call on a
// control is made only while the window is the one shown; what changes the board is done all the
// same.
#include <algorithm>
#include <string>

#include "go/go_browser.h"
#include "go/tree.h"
#include "protocol/points.h"

namespace veld {

namespace {

bool hasPoint(const Node& n) {
    return n.x != 0 && n.y != 0;
}

std::u16string decimal(int n) {
    std::u16string text;
    for (char c : std::to_string(n)) text += static_cast<char16_t>(c);
    return text;
}

}  // namespace

void GoBrowser::drawStone(int x, int y, int colour) {
    if (visible()) views.board->drawStone(x, y, colour);
}

void GoBrowser::drawNumber(const Node& n, int number) {
    if (visible()) views.board->drawLabel(n.x, n.y, decimal(number), n.colour);
}

// The points under a node's markup drawn again as the board has them, which takes the marks off.
void GoBrowser::redrawMarkupPoints(const Node& n) {
    if (!visible()) return;
    for (const Tasso& m : n.markup) {
        const BoardPoint p = pointOf(m.key);
        if (board_.isOnBoard(p.x, p.y)) drawStone(p.x, p.y, board_.colourAt(p.x, p.y));
    }
}

// The board picture drawn again from the board: the empty board, then every stone.
void GoBrowser::redrawBoard() {
    if (!visible()) return;
    views.board->setupBoard(board_.size());
    for (const Tgp& p : board_.occupiedPoints()) views.board->drawStone(p.x, p.y, p.colour);
}

bool GoBrowser::stoneStands(const Node* n) const {
    return n && hasPoint(*n) && board_.colourAt(n->x, n->y) == n->colour;
}

void GoBrowser::showCurrentNode() {
    Node& n = *current_;
    if (hasPoint(n)) drawStone(n.x, n.y, n.colour);
    for (const Tgp& p : n.blackSetup) {
        board_.setColour(p.x, p.y, kBlack);
        drawStone(p.x, p.y, board_.colourAt(p.x, p.y));
    }
    for (const Tgp& p : n.whiteSetup) {
        board_.setColour(p.x, p.y, kWhite);
        drawStone(p.x, p.y, board_.colourAt(p.x, p.y));
    }
    for (const Tgp& p : n.captures) {
        board_.setColour(p.x, p.y, kEmpty);
        drawStone(p.x, p.y, kEmpty);
    }
    if (visible()) {
        for (const Tasso& m : n.markup) {
            const BoardPoint p = pointOf(m.key);
            if (board_.isOnBoard(p.x, p.y))
                views.board->drawLabel(p.x, p.y, m.text, board_.colourAt(p.x, p.y));
        }
    }
    showLastMoves();
    showMoveNumber();
}

void GoBrowser::showMoveNumber() {
    if (!isShown) return;
    const Node& n = *current_;
    if (views.moveNumber) {
        std::u16string caption = decimal(currentNumber_);
        if (hasVariations(n)) caption.append(u"-").append(decimal(variationIndex(n)));
        views.moveNumber->setCaption(caption);
    }
    if (showComments && views.textPane) views.textPane->setText(n.comment);
}

int GoBrowser::numberedMoves() const {
    return std::clamp(drawing_->shownodenumber, 0, DrawingSettings::kMaxNumberedMoves);
}

void GoBrowser::showLastMoves() {
    const Node& n = *current_;
    if (!visible() || !hasPoint(n)) return;
    const int k = numberedMoves();
    // r is the oldest move that keeps its number (or, without numbers, the last move before the
    // current one); q the one whose number falls out.
    const Node* r = n.parent;
    int rNumber = parentNumber(r, currentNumber_);
    for (int i = 1; i < k - 1 && r; ++i) {
        r = r->parent;
        rNumber = parentNumber(r, rNumber);
    }
    const Node* q = k > 1 && r ? r->parent : nullptr;
    if (stoneStands(r)) {
        if (k < 2) {
            drawStone(r->x, r->y, r->colour);
        } else {
            drawNumber(*r, rNumber);
        }
    }
    if (stoneStands(q)) drawStone(q->x, q->y, q->colour);
    if (k != 0) {
        drawNumber(n, currentNumber_);
    } else {
        views.board->drawLastMoveCross(n.x, n.y, n.colour);
    }
}

void GoBrowser::redrawAll() {
    if (!isShown) return;
    if (views.textPane) views.textPane->clear();
    redrawBoard();
    showCurrentNode();
    const Node* m = current_;
    for (int i = numberedMoves(), number = currentNumber_; i > 0 && stoneStands(m); --i) {
        drawNumber(*m, number);
        number = parentNumber(m->parent, number);
        m = m->parent;
    }
    if (views.textPane) {
        if (isOnlineWindow()) {
            std::u16string_view text = chatText;
            if (text.ends_with(u"\r\n")) text.remove_suffix(2);
            views.textPane->setText(text);
            views.textPane->scrollToEnd();
            if (views.chatInput) views.chatInput->focus();
        } else {
            views.textPane->setText(chatText);
        }
    }
    refreshPlayers();
    if (clock && (phase == Phase::playing || (role == Role::observing && phase == Phase::watching)))
        clock->refreshClocks();
}

void GoBrowser::refreshPlayers() {
    if (!isShown || !views.players) return;
    views.players->showPlayers({info.blackName, info.blackRank, blackIcon},
                               {info.whiteName, info.whiteRank, whiteIcon});
}

void GoBrowser::saveCommentEdit() {
    if (!isShown || !views.textPane || !views.textPane->isEdited()) return;
    std::u16string text = views.textPane->text();
    if (!text.empty()) current_->comment = std::move(text);
    views.textPane->clearEdited();
}

void GoBrowser::appendMessage(std::uint32_t colour, std::u16string_view text) {
    if (isShown) {
        if (views.chatInput) {
            views.chatInput->focus();
            views.chatInput->clear();
        }
        if (views.textPane) views.textPane->appendLine(text, colour);
    }
    current_->comment.append(text).append(u"\r\n");
    chatText.append(text).append(u"\r\n");
}

int GoBrowser::capturedBy(int c) const {
    int total = 0;
    for (const Node* n = root_.get(); n; n = n->firstChild.get())
        if (n->colour == c) total += static_cast<int>(n->captures.size());
    return total;
}

int GoBrowser::stonesInRect(int x1, int y1, int x2, int y2) const {
    int count = 0;
    for (int x = std::max(x1, 1); x <= std::min(x2, board_.size()); ++x)
        for (int y = std::max(y1, 1); y <= std::min(y2, board_.size()); ++y)
            if (board_.colourAt(x, y) != kEmpty) ++count;
    return count;
}

}  // namespace veld
