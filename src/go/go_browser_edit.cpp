// Changing the record from the game window: moves played or received, setup stones, labels and
// marks, deletions, and the board click that chooses among them.
#include <algorithm>
#include <string>
#include <vector>

#include "go/go_browser.h"
#include "protocol/codepage.h"
#include "protocol/points.h"

namespace veld {

namespace {

bool hasPoint(const Node& n) {
    return n.x != 0 && n.y != 0;
}

int sign(int c) {
    return c > 0 ? kBlack : kWhite;
}

std::string colourLetter(int c) {
    return c > 0 ? "B" : "W";
}

}  // namespace

void GoBrowser::addPlayedMove(int x, int y, int c, std::span<const Tgp> captures) {
    Node& played = addMove(*current_, c, x, y, captures);
    played.applied = true;
    setCurrent(played);
    showCurrentNode();
}

bool GoBrowser::playMove(int x, int y, int c) {
    const int n = board_.size();
    if (c == kEmpty || x < 0 || y < 0 || x > n || y > n) return false;
    const bool pass = x == 0 || y == 0;
    if (!pass && board_.colourAt(x, y) != kEmpty) return false;
    redrawMarkupPoints(*current_);
    if (pass) {
        addPlayedMove(0, 0, sign(c), {});
        return true;
    }
    const std::span<const Tgp> captured = board_.playStone(x, y, sign(c));
    ++captureSearches_;
    addPlayedMove(x, y, sign(c), captured);
    return true;
}

bool GoBrowser::playMoveAt(std::string_view point, int c) {
    const BoardPoint p = pointOf(point);
    return playMove(p.x, p.y, c);
}

bool GoBrowser::receiveMove(std::string_view point, int c) {
    if (!current_->firstChild) return playMoveAt(point, c);
    BoardPoint p = pointOf(point);
    const int n = board_.size();
    if (c == kEmpty || p.x < 0 || p.y < 0 || p.x > n || p.y > n) return false;
    if (p.x == 0 || p.y == 0) p = {};
    appendToMainLine(*current_, sign(c), p.x, p.y);
    return true;
}

bool GoBrowser::addSetupStone(int x, int y, int c) {
    if (!board_.isOnBoard(x, y)) return false;
    board_.setColour(x, y, sign(c));
    drawStone(x, y, sign(c));
    ::veld::addSetupStone(*root_, sign(c), x, y);
    return true;
}

bool GoBrowser::addSetupStone(int x, int y, std::string_view colourLetter) {
    return addSetupStone(x, y, colourLetter == "B" ? kBlack : kWhite);
}

bool GoBrowser::addLabel(int x, int y, std::u16string_view label) {
    if (!board_.isOnBoard(x, y)) return false;
    addMarkup(*current_, pointCode(x, y), std::u16string(label));
    if (visible()) views.board->drawLabel(x, y, label, board_.colourAt(x, y));
    return true;
}

bool GoBrowser::addMark(int x, int y) {
    return addLabel(x, y, std::u16string(1, kTriangleMark));
}

bool GoBrowser::deleteAt(int x, int y) {
    if (!board_.isOnBoard(x, y)) return false;
    const std::string key = pointCode(x, y);
    auto& markup = current_->markup;
    if (auto m = std::ranges::find(markup, key, &Tasso::key); m != markup.end()) {
        markup.erase(m);
        drawStone(x, y, board_.colourAt(x, y));
        return true;
    }
    for (const int colour : {kBlack, kWhite}) {
        auto& setup = colour == kBlack ? root_->blackSetup : root_->whiteSetup;
        auto s = std::ranges::find_if(setup, [&](const Tgp& p) { return p.x == x && p.y == y; });
        if (s == setup.end()) continue;
        setup.erase(s);
        // A stone that has since been taken and replaced by another is not the setup stone.
        if (board_.colourAt(x, y) == colour) board_.setColour(x, y, kEmpty);
        drawStone(x, y, board_.colourAt(x, y));
        return true;
    }
    Node* doomed = current_;
    if (!doomed->parent || !hasPoint(*doomed) || doomed->x != x || doomed->y != y) return false;
    stepped(-1);
    forget(*doomed);
    deleteNode(*doomed);
    updateToPlay();
    return true;
}

std::string GoBrowser::clickPoint(int x, int y) {
    if (!mayAct) return "x";
    if (!board_.isOnBoard(x, y)) return {};
    const int a = board_.colourAt(x, y);
    const std::string point = pointCode(x, y);
    if (a != kEmpty) {
        switch (tool) {
            case Tool::mark:
                if (current_->x == x && current_->y == y) return {};
                addMark(x, y);
                return "XY08" + point;
            case Tool::erase:
                deleteAt(x, y);
                return "XY09" + point;
            default:
                if (phase != Phase::markingDead) return {};
                markDead(x, y, a);
                return point;
        }
    }
    if (phase == Phase::markingDead) return {};
    switch (tool) {
        case Tool::blackStone:
        case Tool::whiteStone: {
            // The tool's own colour: the colour to play would make both tools put down the same
            // stones.
            const int colour = tool == Tool::blackStone ? kBlack : kWhite;
            addSetupStone(x, y, colour);
            return "XY03" + point + colourLetter(colour);
        }
        case Tool::mark: {
            const char16_t letter = nextLabelLetter(*current_);
            addLabel(x, y, std::u16string(1, letter));
            return "XY04" + point + wideToBig5(std::u16string(1, letter));
        }
        case Tool::erase:
            deleteAt(x, y);
            return "XY09" + point;
        case Tool::play:
            break;
    }
    if (board_.isKo(x, y, toPlay)) return "k";
    if (role == Role::study) saveCommentEdit();
    const MoveOutcome outcome = board_.tryPlay(x, y, sign(toPlay));
    if (outcome.refusal == MoveRefusal::suicide) return "s";
    if (!outcome.played()) return {};
    ++captureSearches_;
    const std::vector<Tgp> captured(outcome.captures.begin(), outcome.captures.end());
    redrawMarkupPoints(*current_);
    addPlayedMove(x, y, sign(toPlay), captured);
    if (role == Role::study && isShown && views.textPane) views.textPane->clear();
    std::string result = "XY02" + point + colourLetter(toPlay);
    if (phase == Phase::playing) {
        if (clock) {
            clock->restartPeriod(toPlay);
            result += clock->timeReport(toPlay);
        }
        mayAct = false;
    }
    if (phase == Phase::following) mayAct = false;
    if (role == Role::study || phase == Phase::ownsBoard) updateToPlay();
    return result;
}

}  // namespace veld
