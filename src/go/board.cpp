#include "go/board.h"

#include <algorithm>
#include <cstdlib>

namespace veld {

namespace {

// Colour of the border cells around the points: equal to no colour a search asks for.
constexpr std::int8_t kWall = 2;
// What a search for a colour outside -1..+1 compares with: matches no cell.
constexpr std::int8_t kNoColour = 3;

std::int8_t stoneColour(int c) {
    return static_cast<std::int8_t>((c > 0) - (c < 0));
}

std::int8_t searchColour(int c) {
    return c >= -1 && c <= 1 ? static_cast<std::int8_t>(c) : kNoColour;
}

}  // namespace

void Tboard::init(int size) {
    size_ = std::clamp(size, 0, kMaxSize);
    stride_ = size_ + 2;
    offsets_[0] = 1;
    offsets_[1] = -stride_;
    offsets_[2] = -1;
    offsets_[3] = stride_;
    koPoint_ = Tgp{};
    const auto cells = static_cast<std::size_t>(stride_) * stride_;
    colour_.assign(cells, kWall);
    for (int y = 1; y <= size_; ++y)
        std::fill_n(colour_.begin() + cell(1, y), size_, std::int8_t{0});
    moveNumber_.clear();
    label_.clear();
    marks_.assign(cells, 0);
    generation_ = 0;
    const auto points = static_cast<std::size_t>(size_) * size_;
    frames_.resize(points + 1);
    cells_.resize(points + 1);
    captures_.clear();
    captures_.reserve(points);
}

Tgp Tboard::snapshot(int c) const {
    Tgp p;
    p.colour = colour_[c];
    p.x = cellX(c);
    p.y = cellY(c);
    if (!moveNumber_.empty()) p.moveNumber = moveNumber_[c];
    if (!label_.empty()) p.label = label_[c];
    return p;
}

Tgp Tboard::pointAt(int x, int y) const {
    if (isOnBoard(x, y)) return snapshot(cell(x, y));
    Tgp p;
    p.x = x;
    p.y = y;
    return p;
}

std::vector<Tgp> Tboard::neighbours(int x, int y) const {
    static constexpr int dx[4] = {1, 0, -1, 0};
    static constexpr int dy[4] = {0, -1, 0, 1};
    std::vector<Tgp> out;
    // Off-board (x, y) is allowed: its neighbours on the edge are listed.
    if (x < 0 || y < 0 || x > size_ + 1 || y > size_ + 1) return out;
    for (int d = 0; d < 4; ++d)
        if (isOnBoard(x + dx[d], y + dy[d])) out.push_back(snapshot(cell(x + dx[d], y + dy[d])));
    return out;
}

std::vector<Tgp> Tboard::neighboursOfColour(int x, int y, int c) const {
    std::vector<Tgp> out = neighbours(x, y);
    std::erase_if(out, [c](const Tgp& p) { return p.colour != c; });
    return out;
}

std::uint32_t Tboard::newGeneration() const {
    if (++generation_ == 0) {
        std::fill(marks_.begin(), marks_.end(), 0u);
        generation_ = 1;
    }
    return generation_;
}

// The recursive flood fill "mark P, list P, then fill from each unmarked neighbour of the colour
// in neighbour order" run on an explicit stack, so that a large group cannot exhaust the call
// stack. Each frame remembers the next neighbour direction to try, which keeps the pre-order.
void Tboard::appendGroup(int start, std::int8_t c, std::uint32_t g, std::vector<Tgp>& out) const {
    if (marks_[start] == g) return;
    marks_[start] = g;
    out.push_back(snapshot(start));
    int top = 0;
    frames_[top++] = {start, 0};
    while (top > 0) {
        Frame& f = frames_[top - 1];
        if (f.dir == 4) {
            --top;
            continue;
        }
        const int n = f.cell + offsets_[f.dir++];
        if (colour_[n] == c && marks_[n] != g) {
            marks_[n] = g;
            out.push_back(snapshot(n));
            frames_[top++] = {n, 0};
        }
    }
}

std::vector<Tgp> Tboard::collectGroup(int x, int y, int c) const {
    std::vector<Tgp> out;
    if (isOnBoard(x, y)) appendGroup(cell(x, y), searchColour(c), newGeneration(), out);
    return out;
}

int Tboard::countLiberties(std::span<const Tgp> group) const {
    int n = 0;
    for (const Tgp& p : group) {
        if (!isOnBoard(p.x, p.y)) continue;
        const int c = cell(p.x, p.y);
        for (int d = 0; d < 4; ++d) n += colour_[c + offsets_[d]] == 0;
    }
    return n;
}

std::vector<std::vector<Tgp>> Tboard::adjacentGroups(int x, int y, int c) const {
    std::vector<std::vector<Tgp>> groups;
    const std::int8_t k = searchColour(c);
    const std::uint32_t g = newGeneration();
    for (const Tgp& q : neighbours(x, y)) {
        const int n = cell(q.x, q.y);
        if (colour_[n] != k || marks_[n] == g) continue;
        groups.emplace_back();
        appendGroup(n, k, g, groups.back());
    }
    return groups;
}

std::vector<std::vector<Tgp>> Tboard::groupsWithLiberties(
    const std::vector<std::vector<Tgp>>& groups, int n) const {
    std::vector<std::vector<Tgp>> out;
    for (const auto& group : groups)
        if (countLiberties(group) == n) out.push_back(group);
    return out;
}

// Any order will do here, and the search stops at the first liberty.
bool Tboard::groupHasLiberty(int start, std::int8_t c) const {
    if (touchesColour(start, 0)) return true;  // the common case, without a search
    const std::uint32_t g = newGeneration();
    marks_[start] = g;
    int top = 0;
    cells_[top++] = start;
    while (top > 0) {
        const int s = cells_[--top];
        for (int d = 0; d < 4; ++d) {
            const int n = s + offsets_[d];
            const std::int8_t k = colour_[n];
            if (k == 0) return true;
            if (k == c && marks_[n] != g) {
                marks_[n] = g;
                cells_[top++] = n;
            }
        }
    }
    return false;
}

// Takes the group of `start` off the board, appending its points to the capture buffer in group
// order. A stone already taken off is empty, which serves as its visit mark.
void Tboard::captureGroup(int start, std::int8_t c) {
    auto take = [this](int n) {
        colour_[n] = 0;
        Tgp& r = captures_.emplace_back();
        r.x = cellX(n);
        r.y = cellY(n);
    };
    take(start);
    int top = 0;
    frames_[top++] = {start, 0};
    while (top > 0) {
        Frame& f = frames_[top - 1];
        if (f.dir == 4) {
            --top;
            continue;
        }
        const int n = f.cell + offsets_[f.dir++];
        if (colour_[n] == c) {
            take(n);
            frames_[top++] = {n, 0};
        }
    }
}

bool Tboard::touchesColour(int c, std::int8_t colour) const {
    for (int d = 0; d < 4; ++d)
        if (colour_[c + offsets_[d]] == colour) return true;
    return false;
}

// Groups of the opponent's colour are never adjacent to one another, so taking off one dead group
// cannot give another a liberty: deciding and removing them one at a time, in neighbour order,
// gives the same captures as deciding them all first. A dead group met again from a later
// neighbour is already empty there; a live one is simply tested again.
std::span<const Tgp> Tboard::playStone(int x, int y, int c) {
    captures_.clear();
    if (!isOnBoard(x, y)) return {};
    const std::int8_t own = stoneColour(c);
    const auto opponent = static_cast<std::int8_t>(-own);
    const int p = cell(x, y);
    colour_[p] = own;
    // An empty "stone" (colour 0) has no opponent to take: the empty region next to it always
    // contains (x, y) itself, so it always has a liberty.
    for (int d = 0; d < 4 && own != 0; ++d) {
        const int n = p + offsets_[d];
        if (colour_[n] == opponent && !groupHasLiberty(n, opponent)) captureGroup(n, opponent);
    }
    if (captures_.size() == 1 && !touchesColour(p, own)) {
        setKo(captures_[0].x, captures_[0].y, opponent);
    } else {
        koPoint_.x = 0;
        koPoint_.y = 0;
    }
    return captures_;
}

int Tboard::libertiesAfterPlacing(int x, int y, int c) {
    if (!isOnBoard(x, y)) return 0;
    const int p = cell(x, y);
    const std::int8_t before = colour_[p];
    const std::int8_t own = stoneColour(c);
    colour_[p] = own;
    const std::uint32_t g = newGeneration();
    marks_[p] = g;
    int top = 0;
    cells_[top++] = p;
    int liberties = 0;
    while (top > 0) {
        const int s = cells_[--top];
        for (int d = 0; d < 4; ++d) {
            const int n = s + offsets_[d];
            const std::int8_t k = colour_[n];
            liberties += k == 0;
            if (k == own && marks_[n] != g) {
                marks_[n] = g;
                cells_[top++] = n;
            }
        }
    }
    colour_[p] = before;
    return liberties;
}

MoveOutcome Tboard::tryPlay(int x, int y, int c) {
    MoveOutcome out;
    if (!isOnBoard(x, y)) {
        out.refusal = MoveRefusal::offBoard;
        return out;
    }
    const int p = cell(x, y);
    if (colour_[p] != 0) {
        out.refusal = MoveRefusal::occupied;
        return out;
    }
    const std::int8_t own = stoneColour(c);
    if (isKo(x, y, own)) {
        out.refusal = MoveRefusal::ko;
        return out;
    }
    // With an empty neighbour the stone has a liberty whatever it captures.
    const bool hasOwnLiberty = touchesColour(p, 0);
    const Tgp savedKo = koPoint_;
    out.captures = playStone(x, y, own);
    if (!hasOwnLiberty && out.captures.empty() && !groupHasLiberty(p, own)) {
        colour_[p] = 0;
        koPoint_ = savedKo;
        out.captures = {};
        out.refusal = MoveRefusal::suicide;
    }
    return out;
}

void Tboard::setColour(int x, int y, int c) {
    if (isOnBoard(x, y)) colour_[cell(x, y)] = stoneColour(c);
}

void Tboard::setColours(std::span<const Tgp> points, int c) {
    for (const Tgp& p : points) setColour(p.x, p.y, c);
}

void Tboard::setLabel(int x, int y, std::string label) {
    if (!isOnBoard(x, y)) return;
    if (label_.empty()) label_.resize(colour_.size());
    label_[cell(x, y)] = std::move(label);
}

std::optional<Tgp> Tboard::placeIfEmpty(int x, int y, int moveNumber, int c) {
    if (!isOnBoard(x, y)) return std::nullopt;
    const int p = cell(x, y);
    if (colour_[p] != 0) return snapshot(p);
    colour_[p] = stoneColour(c);
    if (moveNumber_.empty()) moveNumber_.resize(colour_.size());
    moveNumber_[p] = moveNumber;
    return std::nullopt;
}

std::vector<Tgp> Tboard::occupiedPoints() const {
    std::vector<Tgp> out;
    for (int x = 1; x <= size_; ++x)
        for (int y = 1; y <= size_; ++y)
            if (colour_[cell(x, y)] != 0) out.push_back(snapshot(cell(x, y)));
    return out;
}

std::vector<Tgp> Tboard::emptyPoints() const {
    std::vector<Tgp> out;
    for (int x = 1; x <= size_; ++x)
        for (int y = 1; y <= size_; ++y)
            if (colour_[cell(x, y)] == 0) out.push_back(snapshot(cell(x, y)));
    return out;
}

std::vector<std::vector<Tgp>> Tboard::emptyRegions() const {
    std::vector<std::vector<Tgp>> regions;
    const std::uint32_t g = newGeneration();
    for (int x = 1; x <= size_; ++x) {
        for (int y = 1; y <= size_; ++y) {
            const int p = cell(x, y);
            if (colour_[p] != 0 || marks_[p] == g) continue;
            regions.emplace_back();
            appendGroup(p, 0, g, regions.back());
        }
    }
    return regions;
}

int Tboard::regionOwner(std::span<const Tgp> region) const {
    int owner = 0;
    for (const Tgp& p : region) {
        for (const Tgp& q : neighbours(p.x, p.y)) {
            if (q.colour == 0) continue;
            if (owner == 0) owner = q.colour;
            if (q.colour != owner) return 0;
        }
    }
    return owner;
}

Tboard Tboard::rotatedCopy() const {
    Tboard turned(19);
    for (int x = 1; x <= size_; ++x)
        for (int y = 1; y <= size_; ++y)
            if (const int c = colour_[cell(x, y)]; c != 0)
                turned.setColour(std::abs(y - 19) + 1, x, c);
    return turned;
}

std::string Tboard::checkInvariants() const {
    const auto at = [](int x, int y) {
        return " at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    };
    if (colour_.size() != static_cast<std::size_t>(stride_) * stride_) return "wrong cell count";
    for (int y = 0; y < stride_; ++y) {
        for (int x = 0; x < stride_; ++x) {
            const std::int8_t k = colour_[cell(x, y)];
            if (!isOnBoard(x, y)) {
                if (k != kWall) return "border broken" + at(x, y);
                continue;
            }
            if (k < -1 || k > 1) return "bad colour " + std::to_string(k) + at(x, y);
            const Tgp p = pointAt(x, y);
            if (p.x != x || p.y != y) return "point carries wrong coordinates" + at(x, y);
        }
    }
    // Each group is searched once, from its first point in scan order.
    const std::uint32_t g = newGeneration();
    for (int x = 1; x <= size_; ++x) {
        for (int y = 1; y <= size_; ++y) {
            const int start = cell(x, y);
            const std::int8_t k = colour_[start];
            if (k == 0 || marks_[start] == g) continue;
            bool liberty = false;
            marks_[start] = g;
            int top = 0;
            cells_[top++] = start;
            while (top > 0) {
                const int s = cells_[--top];
                for (int d = 0; d < 4; ++d) {
                    const int n = s + offsets_[d];
                    liberty = liberty || colour_[n] == 0;
                    if (colour_[n] == k && marks_[n] != g) {
                        marks_[n] = g;
                        cells_[top++] = n;
                    }
                }
            }
            if (!liberty) return "group without liberty" + at(x, y);
        }
    }
    if (koPoint_.x != 0 || koPoint_.y != 0) {
        if (colourAt(koPoint_.x, koPoint_.y) != 0 || !isOnBoard(koPoint_.x, koPoint_.y))
            return "ko point not an empty point" + at(koPoint_.x, koPoint_.y);
    }
    return {};
}

}  // namespace veld
