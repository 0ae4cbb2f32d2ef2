#include "go/print_layouts.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "go/go_show.h"
#include "protocol/codepage.h"

namespace veld {

namespace {

// Printed lines are four pixels wide: a printer's pixels are small.
constexpr int kPrintPen = 4;
// The notes fill rows of this many entries (fewer on a smaller board, which is narrower), from
// the second row below the board.
constexpr int kNotesPerRow = 19;
constexpr int kNotesFirstRowBelow = 2;
// Rows of the page besides the board's own: above it the header (rows -3 to -1) and row 0; below
// it the letters, one row of notes and the footer; and half a row of margin at each end.
constexpr int kRowsBesideBoard = 7;
constexpr int kHeaderRows = 3;

// Texts are built by appending: GCC 12 at -O3 reports a false -Wrestrict on literal + string.
std::u16string join(std::initializer_list<std::u16string_view> parts) {
    std::u16string out;
    for (std::u16string_view part : parts) out.append(part);
    return out;
}

std::u16string decimal(int n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

bool hasSetup(const Node& n) {
    return !n.blackSetup.empty() || !n.whiteSetup.empty();
}

int mainLineMoveCount(const Node& root) {
    return static_cast<int>(mainLineMoves(root).size());
}

void drawHeader(TGoShow& show, const PrintSource& source) {
    const std::u16string lines[] = {headerResultLine(source.info, mainLineMoveCount(source.root)),
                                    headerPlayersLine(source.info), headerEventLine(source.info)};
    const int height = show.fontHeight();
    const TextStyle style{height, kRgbBlack, true, TextAlign::left};
    for (int i = 0; i < 3; ++i) {
        const PixelPoint row = show.pointToPixel(1, -1 - i);
        const int left = row.x - show.radius();
        show.canvas()->drawText(
            lines[i], {left, row.y - height / 2, show.canvas()->width() - left, height}, style);
    }
}

void drawNotes(TGoShow& show, const std::vector<std::u16string>& notes) {
    const int n = show.n();
    const int perRow = std::min(kNotesPerRow, n);
    // Small enough that "123=117" stays within its column.
    const int height = std::max(1, show.spacing() / 4);
    const TextStyle style{height, kRgbBlack, false, TextAlign::centre};
    const int r = show.radius();
    for (std::size_t j = 0; j < notes.size(); ++j) {
        const int column = static_cast<int>(j) % perRow + 1;
        const int row = n + kNotesFirstRowBelow + static_cast<int>(j) / perRow;
        const PixelPoint at = show.pointToPixel(column, row);
        show.canvas()->drawText(notes[j], {at.x - r, at.y - height / 2, 2 * r, height}, style);
    }
}

}  // namespace

BoardGeometry printedPageGeometry(int width, int n, int height) {
    // The board takes the width of its lines plus a column on each side, so that the row numbers
    // left of line 1 stay on the paper.
    const int lines = n > 0 ? n : 19;
    const int boardWidth = width * lines / (lines + 2);
    BoardGeometry g = BoardGeometry::layout(boardWidth, n, height);
    const int rows = g.n + kRowsBesideBoard;
    if (g.spacing * rows > height) {
        // A board of few lines is laid out by the page's width, which leaves too little room
        // above and below it: narrow the spacing until the rows fit and start at the top.
        g = BoardGeometry::layout(boardWidth, g.n, height * g.n / rows);
        g.height = height;
        g.originY = (kHeaderRows + 1) * g.spacing + g.spacing / 2;
    }
    g.width = width;
    g.originX = (width - g.span()) / 2;
    return g;
}

std::u16string headerResultLine(const RecordInfo& info, int moves) {
    std::u16string line;
    const std::string& code = info.resultCode;
    // A winner only for a code that names one ("B+…", "W+…"): a draw or an empty code has none.
    if (code.size() >= 3 && (code[0] == 'B' || code[0] == 'W')) {
        line += code[0] == 'B' ? u"黑" : u"白";
        if (code[2] == 'R' || code[2] == 'T') {
            line += u"中盤勝";
        } else {
            line.append(big5ToWide(std::string_view(code).substr(2))).append(u"目勝");
        }
    }
    line.append(u"   貼目 ").append(big5ToWide(info.komi));
    if (moves > 1) line.append(u"  (1-").append(decimal(moves)).append(u")");
    return line;
}

std::u16string headerPlayersLine(const RecordInfo& info) {
    return join({u"黑 ", info.blackName, u" ", info.blackRank, u"  白 ", info.whiteName, u" ",
                 info.whiteRank});
}

std::u16string headerEventLine(const RecordInfo& info) {
    return join({info.eventName, u"  ", big5ToWide(info.date)});
}

void drawPrintedPage(Canvas& page, const PrintSource& source, const PrintedBoard& board,
                     bool header, std::u16string_view footer) {
    TGoShow show;
    show.printing = true;
    show.layoutBoard(page, printedPageGeometry(page.width(), board.board.size(), page.height()),
                     kPrintPen);
    show.drawCoordinates();
    for (const Tgp& p : board.board.occupiedPoints()) {
        show.drawStone(p.x, p.y, p.colour);
        if (p.moveNumber > 0) show.drawLabel(p.x, p.y, decimal(p.moveNumber), p.colour);
    }
    for (const PointLabel& label : board.labels)
        show.drawLabel(label.x, label.y, label.text, board.board.colourAt(label.x, label.y));
    if (header) drawHeader(show, source);
    drawNotes(show, board.notes);
    const int height = show.fontHeight();
    page.drawText(footer, {0, page.height() - show.spacing(), page.width(), height},
                  {height, kRgbBlack, false, TextAlign::centre});
}

void drawRecordPage(Canvas& page, const PrintSource& source) {
    drawPrintedPage(page, source, recordBoard(source), !hasSetup(source.root), kPageFooter);
}

void drawPositionPage(Canvas& page, const PrintSource& source, const Tboard& position) {
    drawPrintedPage(page, source, positionBoard(source, position), true, kPageFooter);
}

void drawDiagramPage(Canvas& page, const PrintSource& source, DiagramRange range, bool first) {
    const std::u16string footer =
        range.size() > 0 ? join({u"<", decimal(range.first), u"-", decimal(range.last), u">"})
                         : std::u16string(kPageFooter);
    drawPrintedPage(page, source, diagramBoard(source, range), first && !hasSetup(source.root),
                    footer);
}

bool printRecord(const PrintSource& source, Printer& printer, Dialogs& dialogs) {
    Canvas* page = printer.beginDocument();
    if (!page) {
        dialogs.showMessage(kNoPrinterText);
        return false;
    }
    drawRecordPage(*page, source);
    printer.endDocument();
    return true;
}

bool printPosition(const PrintSource& source, const Tboard& position, Printer& printer,
                   Dialogs& dialogs) {
    Canvas* page = printer.beginDocument();
    if (!page) {
        dialogs.showMessage(kNoPrinterText);
        return false;
    }
    drawPositionPage(*page, source, position);
    printer.endDocument();
    return true;
}

bool printDiagrams(const PrintSource& source, int perDiagram, Printer& printer, Dialogs& dialogs) {
    const std::vector<DiagramRange> ranges =
        splitDiagrams(mainLineMoveCount(source.root), perDiagram);
    if (ranges.empty()) return false;
    Canvas* page = printer.beginDocument();
    if (!page) {
        dialogs.showMessage(kNoPrinterText);
        return false;
    }
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        Canvas& canvas = i == 0 ? *page : printer.newPage();
        drawDiagramPage(canvas, source, ranges[i], i == 0);
    }
    printer.endDocument();
    return true;
}

}  // namespace veld
