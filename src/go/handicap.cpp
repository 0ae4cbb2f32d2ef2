#include "go/handicap.h"

#include <string_view>

namespace veld {

namespace {

// Appends each two-letter point of a space-separated list ('a' = 1, x first).
void appendPoints(std::string_view points, std::vector<Tgp>& out) {
    for (std::size_t i = 0; i + 1 < points.size(); i += 3) {
        Tgp& p = out.emplace_back();
        p.x = points[i] - 'a' + 1;
        p.y = points[i + 1] - 'a' + 1;
    }
}

constexpr std::string_view kRecordTable[] = {
    "pd dp",                       // 2
    "pd dp dd",                    // 3
    "pd dp dd pp",                 // 4
    "pd dp dd pp jj",              // 5
    "pd dp dd pp dj pj",           // 6
    "pd dp dd pp dj pj jj",        // 7
    "pd dp dd pp dj pj jd jp",     // 8
    "pd dp dd pp dj pj jd jp jj",  // 9
};

struct Extension {
    int base;  // the smaller count this one adds to
    std::string_view added;
};

constexpr Extension kWindowTable[] = {
    {6, "dg dm pg pm"},         // 10
    {10, "jj"},                 // 11
    {10, "jd jp"},              // 12
    {12, "jj"},                 // 13
    {12, "gd md"},              // 14
    {14, "jj"},                 // 15
    {14, "gp mp"},              // 16
    {16, "jj"},                 // 17
    {12, "gd gj gp md mj mp"},  // 18
    {18, "jj"},                 // 19
    {18, "gg mm"},              // 20
    {20, "jj"},                 // 21
    {20, "gm mg"},              // 22
    {22, "jj"},                 // 23
    {22, "jg jm"},              // 24
    {24, "jj"},                 // 25
};

void appendWindowPoints(int stones, std::vector<Tgp>& out) {
    if (stones <= 9) {
        appendPoints(kRecordTable[stones - 2], out);
        return;
    }
    const Extension& e = kWindowTable[stones - 10];
    appendWindowPoints(e.base, out);  // at most four levels deep
    appendPoints(e.added, out);
}

}  // namespace

std::vector<Tgp> recordHandicapPoints(int stones) {
    std::vector<Tgp> out;
    if (stones >= 2 && stones <= 9) appendPoints(kRecordTable[stones - 2], out);
    return out;
}

std::vector<Tgp> windowHandicapPoints(int stones, int boardSize) {
    std::vector<Tgp> out;
    if (boardSize == 19 && stones >= 2 && stones <= 25) appendWindowPoints(stones, out);
    return out;
}

}  // namespace veld
