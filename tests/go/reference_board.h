// A plain model of the board rules, written as directly as the rules read: every point an object
// with its own visit mark, recursive flood fills, all groups decided before any is removed. The
// board is checked against it; it is slow and only meant for small numbers of positions.
#pragma once

#include <vector>

#include "go/point.h"

namespace veld::test {

class ReferenceBoard {
  public:
    explicit ReferenceBoard(int n) : n_(n), points_(static_cast<std::size_t>(n) * n) {
        for (int x = 1; x <= n; ++x)
            for (int y = 1; y <= n; ++y) {
                at(x, y).x = x;
                at(x, y).y = y;
            }
    }

    Tgp ko;

    bool on(int x, int y) const { return x >= 1 && y >= 1 && x <= n_ && y <= n_; }
    Tgp& at(int x, int y) { return points_[(x - 1) * n_ + (y - 1)]; }
    int colourAt(int x, int y) { return at(x, y).colour; }
    bool isKo(int x, int y, int c) const { return ko.x == x && ko.y == y && ko.colour == c; }

    std::vector<Tgp*> neighbours(int x, int y) {
        std::vector<Tgp*> out;
        const int dx[4] = {1, 0, -1, 0};
        const int dy[4] = {0, -1, 0, 1};
        for (int d = 0; d < 4; ++d)
            if (on(x + dx[d], y + dy[d])) out.push_back(&at(x + dx[d], y + dy[d]));
        return out;
    }

    std::vector<Tgp*> neighboursOfColour(int x, int y, int c) {
        std::vector<Tgp*> out;
        for (Tgp* q : neighbours(x, y))
            if (q->colour == c) out.push_back(q);
        return out;
    }

    // Leaves its marks set, like the rule it models; callers clear them.
    std::vector<Tgp*> collectGroup(int x, int y, int c) {
        Tgp& p = at(x, y);
        if (p.mark != 0) return {};
        p.mark = 999;
        std::vector<Tgp*> out{&p};
        for (Tgp* q : neighboursOfColour(x, y, c)) {
            std::vector<Tgp*> more = collectGroup(q->x, q->y, c);
            out.insert(out.end(), more.begin(), more.end());
        }
        return out;
    }

    static void clearMarks(const std::vector<Tgp*>& group) {
        for (Tgp* p : group) p->mark = 0;
    }

    int countLiberties(const std::vector<Tgp*>& group) {
        int n = 0;
        for (Tgp* p : group) n += static_cast<int>(neighboursOfColour(p->x, p->y, 0).size());
        return n;
    }

    std::vector<std::vector<Tgp*>> adjacentGroups(int x, int y, int c) {
        std::vector<std::vector<Tgp*>> groups;
        for (Tgp* q : neighboursOfColour(x, y, c))
            if (q->mark == 0) groups.push_back(collectGroup(q->x, q->y, c));
        for (const auto& g : groups) clearMarks(g);
        return groups;
    }

    std::vector<Tgp> playStone(int x, int y, int c) {
        std::vector<Tgp> out;
        if (!on(x, y)) return out;
        at(x, y).colour = c;
        std::vector<std::vector<Tgp*>> dead;
        for (auto& g : adjacentGroups(x, y, -c))
            if (countLiberties(g) == 0) dead.push_back(g);
        for (const auto& g : dead)
            for (Tgp* p : g) {
                Tgp r;
                r.x = p->x;
                r.y = p->y;
                out.push_back(r);
                p->colour = 0;
            }
        if (out.size() == 1 && neighboursOfColour(x, y, c).empty()) {
            ko.x = out[0].x;
            ko.y = out[0].y;
            ko.colour = -c;
        } else {
            ko.x = 0;
            ko.y = 0;
        }
        return out;
    }

    int libertiesAfterPlacing(int x, int y, int c) {
        at(x, y).colour = c;
        std::vector<Tgp*> g = collectGroup(x, y, c);
        const int n = countLiberties(g);
        clearMarks(g);
        at(x, y).colour = 0;
        return n;
    }

    std::vector<std::vector<Tgp*>> emptyRegions() {
        std::vector<std::vector<Tgp*>> regions;
        for (int x = 1; x <= n_; ++x)
            for (int y = 1; y <= n_; ++y)
                if (at(x, y).mark == 0 && at(x, y).colour == 0)
                    regions.push_back(collectGroup(x, y, 0));
        for (Tgp& p : points_) p.mark = 0;
        return regions;
    }

    int regionOwner(const std::vector<Tgp*>& region) {
        int owner = 0;
        for (Tgp* p : region)
            for (Tgp* q : neighbours(p->x, p->y)) {
                const int k = q->colour;
                if (k == 0) continue;
                if (owner == 0) owner = k;
                if (k != owner) return 0;
            }
        return owner;
    }

  private:
    int n_;
    std::vector<Tgp> points_;
};

}  // namespace veld::test
