// What a printed board shows: the position with numbered stones, the labels that stand in for
// numbers, and the notes for moves played where a stone already stood. Printed diagrams split a
// record's main line into parts of a fixed number of moves.
#pragma once

#include <string>
#include <vector>

#include "go/board.h"
#include "go/node.h"
#include "go/record_info.h"

namespace veld {

// The record a print command prints from.
struct PrintSource {
    const Node& root;
    const RecordInfo& info;
    int boardSize = 19;
};

struct PointLabel {
    int x = 0;
    int y = 0;
    std::u16string text;

    bool operator==(const PointLabel&) const = default;
};

struct PrintedBoard {
    // The stones; a stone placed by a move carries its printed number (Tgp::moveNumber, 0 for
    // none).
    Tboard board;
    // Drawn over the points after the numbers, in order.
    std::vector<PointLabel> labels;
    // One per move played on an occupied point, point after point in the order the points were
    // first played on again: "12=7" (move 12 where stone 7 stood) or "12=A" (where an unnumbered
    // stone stood, which shows the letter).
    std::vector<std::u16string> notes;
};

// Main-line moves, 1-based, both ends included; empty when last < first.
struct DiagramRange {
    int first = 1;
    int last = 0;

    int size() const { return last >= first ? last - first + 1 : 0; }
    bool operator==(const DiagramRange&) const = default;
};

// The moves of the main line below the root that have a point (passes and nodes without a move
// are left out), in order.
std::vector<const Node*> mainLineMoves(const Node& root);

// The whole record on one board: the root's setup stones (or, when it has none, those of its
// first child), then every main-line move placed where the point is empty, numbered with
// moveNumber; moves on occupied points become notes. The root's markup is drawn last.
PrintedBoard recordBoard(const PrintSource& source);
// A position as it stands, with the root's markup and no numbers.
PrintedBoard positionBoard(const PrintSource& source, const Tboard& position);
// One diagram: the setup stones of the root and its first child, the moves before range.first
// played with their captures, then the range's moves placed where the point is empty and
// numbered from 1.
PrintedBoard diagramBoard(const PrintSource& source, DiagramRange range);

// The diagrams of `moves` main-line moves at perDiagram a diagram: full diagrams, then the
// remaining r moves on a diagram of their own when r > 10 and there are at least two full
// diagrams, otherwise added to the last one (so one diagram holds all of a short record). No
// moves give one empty diagram; perDiagram below 1 gives none.
std::vector<DiagramRange> splitDiagrams(int moves, int perDiagram);

}  // namespace veld
