#include "go/printed_board.h"

#include <algorithm>
#include <optional>

#include "go/tree.h"
#include "protocol/points.h"

namespace veld {

namespace {

// A remainder of more moves than this gets a diagram of its own.
constexpr int kRemainderOfItsOwn = 10;

std::u16string decimal(int n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

// "A" .. "Z", then "AA", "AB", ...: the letter of the i-th (0-based) replayed unnumbered stone.
std::u16string replayLetter(int i) {
    std::u16string s;
    for (++i; i > 0; i = (i - 1) / 26)
        s.insert(s.begin(), static_cast<char16_t>(u'A' + (i - 1) % 26));
    return s;
}

void placeSetup(Tboard& board, const Node& n) {
    for (const Tgp& p : n.blackSetup) board.setColour(p.x, p.y, kBlack);
    for (const Tgp& p : n.whiteSetup) board.setColour(p.x, p.y, kWhite);
}

bool hasSetup(const Node& n) {
    return !n.blackSetup.empty() || !n.whiteSetup.empty();
}

void addRootMarkup(PrintedBoard& out, const Node& root) {
    for (const Tasso& entry : root.markup) {
        const BoardPoint p = pointOf(entry.key);
        if (out.board.isOnBoard(p.x, p.y)) out.labels.push_back({p.x, p.y, entry.text});
    }
}

// Places moves where their points are empty and collects the notes of the others.
class Placer {
  public:
    explicit Placer(PrintedBoard& out) : out_(out) {}

    void place(const Node& move, int number) {
        const std::optional<Tgp> there =
            out_.board.placeIfEmpty(move.x, move.y, number, move.colour);
        if (!there) return;
        const int key = there->y * 1000 + there->x;
        auto found = std::find_if(points_.begin(), points_.end(),
                                  [key](const Replayed& r) { return r.key == key; });
        if (found == points_.end()) {
            Replayed r{key, {}, {}};
            if (there->moveNumber > 0) {
                r.standing = decimal(there->moveNumber);
            } else {
                r.standing = replayLetter(letters_++);
                out_.labels.push_back({there->x, there->y, r.standing});
            }
            points_.push_back(std::move(r));
            found = points_.end() - 1;
        }
        found->later.push_back(number);
    }

    void finish() {
        for (const Replayed& r : points_) {
            for (int number : r.later) out_.notes.push_back(decimal(number) + u"=" + r.standing);
        }
    }

  private:
    struct Replayed {
        int key;
        std::u16string standing;  // the number or letter of the stone that stood there
        std::vector<int> later;
    };
    PrintedBoard& out_;
    std::vector<Replayed> points_;
    int letters_ = 0;
};

}  // namespace

std::vector<const Node*> mainLineMoves(const Node& root) {
    std::vector<const Node*> moves;
    for (const Node* n = root.firstChild.get(); n; n = n->firstChild.get()) {
        if (n->x != 0) moves.push_back(n);
    }
    return moves;
}

PrintedBoard recordBoard(const PrintSource& source) {
    PrintedBoard out;
    out.board.init(source.boardSize);
    if (hasSetup(source.root)) {
        placeSetup(out.board, source.root);
    } else if (source.root.firstChild) {
        placeSetup(out.board, *source.root.firstChild);
    }
    Placer placer(out);
    for (const Node* move : mainLineMoves(source.root)) placer.place(*move, moveNumber(*move));
    placer.finish();
    addRootMarkup(out, source.root);
    return out;
}

PrintedBoard positionBoard(const PrintSource& source, const Tboard& position) {
    PrintedBoard out;
    out.board.init(position.size());
    for (const Tgp& p : position.occupiedPoints()) out.board.setColour(p.x, p.y, p.colour);
    addRootMarkup(out, source.root);
    return out;
}

PrintedBoard diagramBoard(const PrintSource& source, DiagramRange range) {
    PrintedBoard out;
    out.board.init(source.boardSize);
    placeSetup(out.board, source.root);
    if (source.root.firstChild) placeSetup(out.board, *source.root.firstChild);
    const std::vector<const Node*> moves = mainLineMoves(source.root);
    const int count = static_cast<int>(moves.size());
    const int before = std::clamp(range.first - 1, 0, count);
    for (int i = 0; i < before; ++i)
        out.board.playStone(moves[i]->x, moves[i]->y, moves[i]->colour);
    Placer placer(out);
    const int last = std::min(range.last, count);
    for (int i = before; i < last; ++i) placer.place(*moves[i], i + 1 - before);
    placer.finish();
    return out;
}

std::vector<DiagramRange> splitDiagrams(int moves, int perDiagram) {
    if (perDiagram < 1) return {};
    if (moves <= 0) return {DiagramRange{1, 0}};
    const int full = std::max(1, moves / perDiagram);
    const int rest = moves % perDiagram;
    std::vector<DiagramRange> out;
    for (int i = 0; i < full; ++i) out.push_back({i * perDiagram + 1, (i + 1) * perDiagram});
    if (rest > kRemainderOfItsOwn && full > 1) {
        out.push_back({full * perDiagram + 1, moves});
    } else {
        out.back().last = moves;
    }
    return out;
}

}  // namespace veld
