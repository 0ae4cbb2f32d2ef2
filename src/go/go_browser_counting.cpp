// Counting at the end of a game: groups taken off as dead, territory and the score.
#include "go/counting.h"
#include "go/go_browser.h"
#include "protocol/fields.h"

namespace veld {

void GoBrowser::markDead(int x, int y, int c) {
    if (c == kEmpty || board_.colourAt(x, y) != c) return;
    Tcapture dead{board_.collectGroup(x, y, c), c};
    for (const Tgp& p : dead.stones) {
        board_.setColour(p.x, p.y, kEmpty);
        drawStone(p.x, p.y, kEmpty);
    }
    deadGroups_.push_back(std::move(dead));
}

void GoBrowser::undoLastDead() {
    if (deadGroups_.empty()) return;
    const Tcapture& dead = deadGroups_.back();
    for (const Tgp& p : dead.stones) {
        board_.setColour(p.x, p.y, dead.colour);
        drawStone(p.x, p.y, dead.colour);
    }
    deadGroups_.pop_back();
}

void GoBrowser::undoAllDead() {
    while (!deadGroups_.empty()) undoLastDead();
    clearCountMarks();
}

void GoBrowser::clearCountMarks() {
    if (!visible()) return;
    for (const Tgp& p : board_.emptyPoints()) drawStone(p.x, p.y, kEmpty);
}

std::u16string GoBrowser::countScore() {
    ScoreCount count;
    for (const std::vector<Tgp>& region : board_.emptyRegions()) {
        const int owner = board_.regionOwner(region);
        if (owner == kEmpty) continue;
        (owner == kBlack ? count.blackTerritory : count.whiteTerritory) +=
            static_cast<int>(region.size());
        if (visible())
            for (const Tgp& p : region) views.board->drawLabel(p.x, p.y, u"X", kEmpty);
    }
    for (const Node* n = current_; n; n = n->parent) {
        if (n->colour == kWhite) count.blackLost += static_cast<int>(n->captures.size());
        if (n->colour == kBlack) count.whiteLost += static_cast<int>(n->captures.size());
    }
    for (const Tcapture& dead : deadGroups_)
        (dead.colour == kBlack ? count.blackLost : count.whiteLost) +=
            static_cast<int>(dead.stones.size());
    count.komiText = info.komi;
    count.komi = toFloatDef(info.komi, 0);
    score = count.score();
    info.setResultCode(resultCodeFor(score), *texts_);
    return scoreMessage(count, *texts_);
}

}  // namespace veld
