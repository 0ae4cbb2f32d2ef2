#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_ports.h"
#include "fakes/recording_canvas.h"
#include "go/board_view_helpers.h"
#include "go/print_layouts.h"
#include "go/printed_board.h"
#include "go/sgf_reader.h"

namespace veld {
namespace {

using testing::DrawCall;
using testing::RecordingCanvas;
using Kind = DrawCall::Kind;

// An A4 page at 600 dots per inch.
constexpr int kPageWidth = 4960;
constexpr int kPageHeight = 7016;

class FakePrinter : public Printer {
  public:
    Canvas* beginDocument() override {
        if (!available) return nullptr;
        return &newPage();
    }
    Canvas& newPage() override {
        pages.push_back(std::make_unique<RecordingCanvas>(kPageWidth, kPageHeight));
        return *pages.back();
    }
    void endDocument() override { ++documents; }

    bool available = true;
    std::vector<std::unique_ptr<RecordingCanvas>> pages;
    int documents = 0;
};

// A record read from SGF text, with its information.
struct Record {
    explicit Record(const std::string& sgf) : read(readSgf(sgf)) {
        EXPECT_TRUE(read.ok()) << read.error;
        info = RecordInfo::fromRoot(*read.root, read.boardSize, false);
    }
    PrintSource source() const { return {*read.root, info, read.boardSize}; }

    SgfReadResult read;
    RecordInfo info;
};

// The point of move i (from 1) in a record whose moves never share a point.
BoardPoint distinctPoint(int i) {
    return {(i - 1) % 19 + 1, (i - 1) / 19 + 1};
}

std::string distinctMoves(int count, const std::string& root = "") {
    std::string sgf = "(;SZ[19]" + root;
    for (int i = 1; i <= count; ++i) {
        const BoardPoint p = distinctPoint(i);
        sgf += std::string(i % 2 == 1 ? ";B[" : ";W[") + pointCode(p) + "]";
    }
    return sgf + ")";
}

// A ko on 5 x 5: 8 W[bb] is taken by 9 B[cb], 10 W[bb] takes back, 13 B[cb] takes again.
const std::string kKo =
    "(;SZ[5];B[ba];W[ca];B[ab];W[db];B[bc];W[cc];B[ee];W[bb];B[cb];W[bb];B[ea];W[ae];B[cb])";

std::vector<std::u16string> footers(const FakePrinter& printer) {
    std::vector<std::u16string> out;
    for (const auto& page : printer.pages) out.push_back(page->all(Kind::text).back()->text);
    return out;
}

int boldTexts(const RecordingCanvas& page) {
    int n = 0;
    for (const DrawCall* t : page.all(Kind::text)) n += t->style.bold ? 1 : 0;
    return n;
}

TEST(PrintDiagrams, SplitKeepsShortRemaindersOnTheLastDiagram) {
    struct Case {
        int moves, per;
        std::vector<DiagramRange> ranges;
    };
    const Case cases[] = {
        {100, 50, {{1, 50}, {51, 100}}},
        {113, 50, {{1, 50}, {51, 100}, {101, 113}}},
        {105, 50, {{1, 50}, {51, 105}}},
        {110, 50, {{1, 50}, {51, 110}}},              // a remainder of 10 joins the last
        {111, 50, {{1, 50}, {51, 100}, {101, 111}}},  // 11 gets its own
        {80, 50, {{1, 80}}},                          // one diagram takes all
        {30, 50, {{1, 30}}},                          // never past the last move
        {50, 50, {{1, 50}}},
        {101, 30, {{1, 30}, {31, 60}, {61, 90}, {91, 101}}},
        {100, 30, {{1, 30}, {31, 60}, {61, 100}}},
        {0, 50, {{1, 0}}},  // the setup stones alone
        {10, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitDiagrams(c.moves, c.per), c.ranges) << c.moves << " at " << c.per;
}

TEST(PrintDiagrams, PagesAndTheirNumbering) {
    struct Case {
        int moves;
        std::vector<std::u16string> footers;
    };
    const Case cases[] = {
        {100, {u"<1-50>", u"<51-100>"}},
        {113, {u"<1-50>", u"<51-100>", u"<101-113>"}},
        {105, {u"<1-50>", u"<51-105>"}},
    };
    for (const Case& c : cases) {
        const Record record(distinctMoves(c.moves));
        FakePrinter printer;
        testing::FakeDialogs dialogs;
        ASSERT_TRUE(printDiagrams(record.source(), 50, printer, dialogs));
        EXPECT_EQ(footers(printer), c.footers) << c.moves;
        EXPECT_EQ(printer.documents, 1);
        EXPECT_EQ(boldTexts(*printer.pages[0]), 3);  // the header on the first page only
        for (std::size_t i = 1; i < printer.pages.size(); ++i)
            EXPECT_EQ(boldTexts(*printer.pages[i]), 0);
    }
    // The second of two diagrams numbers moves 51..100 from 1; moves 1..50 are played before it
    // (with their captures) and carry no numbers.
    const Record record(distinctMoves(100));
    const PrintedBoard second = diagramBoard(record.source(), {51, 100});
    for (int i = 1; i <= 100; ++i) {
        const BoardPoint p = distinctPoint(i);
        EXPECT_EQ(second.board.pointAt(p.x, p.y).moveNumber, i > 50 ? i - 50 : 0) << i;
        if (i > 50) {
            EXPECT_NE(second.board.colourAt(p.x, p.y), kEmpty) << i;
        }
    }
    RecordingCanvas page(kPageWidth, kPageHeight);
    drawDiagramPage(page, record.source(), {51, 100}, false);
    const BoardGeometry g = printedPageGeometry(kPageWidth, 19, kPageHeight);
    const BoardPoint p51 = distinctPoint(51), p100 = distinctPoint(100);
    EXPECT_NE(test::textOn(page, g, u"1", p51.x, p51.y), nullptr);
    EXPECT_NE(test::textOn(page, g, u"50", p100.x, p100.y), nullptr);
}

TEST(PrintedBoards, MovesOnOccupiedPointsBecomeNotes) {
    const Record ko(kKo);
    // The whole record: nothing is captured, so both retakes land on standing stones.
    const PrintedBoard whole = recordBoard(ko.source());
    EXPECT_EQ(whole.notes, (std::vector<std::u16string>{u"10=8", u"13=9"}));
    EXPECT_EQ(whole.board.pointAt(2, 2).moveNumber, 8);
    EXPECT_EQ(whole.board.pointAt(3, 2).moveNumber, 9);
    EXPECT_TRUE(whole.labels.empty());

    // Diagram 6..13: moves before it were played with their captures; 10 and 13 are notes in
    // the diagram's own numbers.
    const PrintedBoard second = diagramBoard(ko.source(), {6, 13});
    EXPECT_EQ(second.notes, (std::vector<std::u16string>{u"5=3", u"8=4"}));

    // Diagram 10..13 starts after 9 took 8: 13 is played on 9, a stone of the starting
    // position, which gets the letter A.
    const PrintedBoard last = diagramBoard(ko.source(), {10, 13});
    EXPECT_EQ(last.notes, (std::vector<std::u16string>{u"4=A"}));
    EXPECT_EQ(last.labels, (std::vector<PointLabel>{{3, 2, u"A"}}));
    EXPECT_EQ(last.board.pointAt(2, 2).moveNumber, 1);  // 10 retakes the empty point
    EXPECT_EQ(last.board.colourAt(2, 2), kWhite);
}

TEST(PrintedBoards, SetupStonesComeFromTheRootOrElseTheFirstMoveNode) {
    const Record inRoot("(;SZ[5]AB[aa]AW[ee];B[aa];W[bb])");
    const PrintedBoard whole = recordBoard(inRoot.source());
    EXPECT_EQ(whole.board.colourAt(1, 1), kBlack);
    EXPECT_EQ(whole.board.colourAt(5, 5), kWhite);
    EXPECT_EQ(whole.notes, (std::vector<std::u16string>{u"1=A"}));  // a setup stone has no number
    EXPECT_EQ(whole.labels, (std::vector<PointLabel>{{1, 1, u"A"}}));

    const Record inFirst("(;SZ[5];AB[cc]B[aa];W[bb])");
    EXPECT_EQ(recordBoard(inFirst.source()).board.colourAt(3, 3), kBlack);
    EXPECT_EQ(diagramBoard(inFirst.source(), {1, 2}).board.colourAt(3, 3), kBlack);

    const Record marked("(;SZ[5]LB[cc:Z]TR[dd];B[cc])");
    const PrintedBoard position = positionBoard(marked.source(), Tboard(5));
    ASSERT_EQ(position.labels.size(), 2u);
    EXPECT_EQ(position.labels[0], (PointLabel{3, 3, u"Z"}));
}

TEST(PrintedPages, HeaderLines) {
    RecordInfo info;
    info.komi = "6.5";
    struct Case {
        std::string result;
        int moves;
        std::u16string line;
    };
    const Case cases[] = {
        {"B+R", 113, u"黑中盤勝   貼目 6.5  (1-113)"},
        {"W+T", 2, u"白中盤勝   貼目 6.5  (1-2)"},
        {"W+3.5", 1, u"白3.5目勝   貼目 6.5"},
        {"B+Resign", 0, u"黑中盤勝   貼目 6.5"},
        {"", 50, u"   貼目 6.5  (1-50)"},  // no winner to name
        {"0", 50, u"   貼目 6.5  (1-50)"},
    };
    for (const Case& c : cases) {
        info.resultCode = c.result;
        EXPECT_EQ(headerResultLine(info, c.moves), c.line) << c.result;
    }
    info.setBlackName(u"甲");
    info.setBlackRank(u"9p");
    info.setWhiteName(u"乙");
    info.setWhiteRank(u"8p");
    info.setEventName(u"名人戰");
    info.date = "2001-05-06";
    EXPECT_EQ(headerPlayersLine(info), u"黑 甲 9p  白 乙 8p");
    EXPECT_EQ(headerEventLine(info), u"名人戰  2001-05-06");
}

TEST(PrintedPages, RecordPageLayout) {
    const Record ko(kKo);
    RecordingCanvas page(kPageWidth, kPageHeight);
    drawRecordPage(page, ko.source());
    const BoardGeometry g = printedPageGeometry(kPageWidth, 5, kPageHeight);
    // Thick lines, plain stones with their numbers.
    for (const DrawCall* line : page.all(Kind::line)) EXPECT_EQ(line->penWidth, 4);
    EXPECT_TRUE(page.all(Kind::picture).empty());
    const DrawCall* stone = page.circleAt(g.pointToPixel(2, 2));
    ASSERT_NE(stone, nullptr);
    EXPECT_EQ(stone->colour, kRgbWhite);
    EXPECT_EQ(stone->radius, g.radius);
    const DrawCall* eight = test::textOn(page, g, u"8", 2, 2);
    ASSERT_NE(eight, nullptr);
    EXPECT_EQ(eight->style.colour, kRgbBlack);
    EXPECT_EQ(test::textOn(page, g, u"9", 3, 2)->style.colour, kRgbWhite);
    // Notes from the second row below the board; letters on the row below it.
    EXPECT_NE(page.textNear(u"10=8", g.pointToPixel(1, 7)), nullptr) << page.log();
    EXPECT_NE(page.textNear(u"13=9", g.pointToPixel(2, 7)), nullptr);
    EXPECT_NE(page.textNear(u"A", g.pointToPixel(1, 6)), nullptr);
    EXPECT_NE(page.textNear(u"5", {g.originX - g.radius - g.spacing, g.originY}), nullptr);
    // The header (the root has no setup stones) sits on rows -1..-3, inside the page.
    const auto bold = [&page] {
        std::vector<const DrawCall*> out;
        for (const DrawCall* t : page.all(Kind::text))
            if (t->style.bold) out.push_back(t);
        return out;
    }();
    ASSERT_EQ(bold.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bold[i]->rect.centre().y, g.pointToPixel(1, -1 - i).y);
    EXPECT_GE(bold[2]->rect.top, 0);
    const DrawCall* footer = page.all(Kind::text).back();
    EXPECT_EQ(footer->text, kPageFooter);
    EXPECT_LE(footer->rect.bottom(), kPageHeight);
    EXPECT_GT(footer->rect.top, g.pointToPixel(1, 7).y);
}

TEST(PrintedPages, TheBoardIsCentredWithRoomForItsCoordinates) {
    for (int n : {5, 9, 13, 19}) {
        const BoardGeometry g = printedPageGeometry(kPageWidth, n, kPageHeight);
        EXPECT_GE(g.pointToPixel(1, -3).y - g.spacing / 2, 0) << n;
        EXPECT_LE(g.pointToPixel(1, n + 3).y + g.spacing / 2, kPageHeight) << n;
        EXPECT_EQ(g.originX, (kPageWidth - g.span()) / 2);
        // The row numbers end half a spacing before line 1 and are at most a spacing wide.
        EXPECT_GE(g.originX - g.radius - g.spacing, 0) << n;
    }
    // A full board is as wide as its lines and a column on each side allow.
    const BoardGeometry g = printedPageGeometry(kPageWidth, 19, kPageHeight);
    EXPECT_GE(21 * (g.spacing + 2), kPageWidth);
}

TEST(PrintedPages, PositionPageHasHeaderAndNoNumbers) {
    const Record ko(kKo);
    Tboard position(5);
    position.setColour(2, 2, kWhite);
    RecordingCanvas page(kPageWidth, kPageHeight);
    drawPositionPage(page, ko.source(), position);
    EXPECT_EQ(boldTexts(page), 3);
    const BoardGeometry g = printedPageGeometry(kPageWidth, 5, kPageHeight);
    EXPECT_NE(page.circleAt(g.pointToPixel(2, 2)), nullptr);
    for (const DrawCall* t : page.all(Kind::text))
        EXPECT_EQ(page.textNear(t->text, g.pointToPixel(2, 2), 1), nullptr) << page.log();
}

TEST(PrintCommands, NoPrinterIsReported) {
    const Record ko(kKo);
    FakePrinter printer;
    printer.available = false;
    testing::FakeDialogs dialogs;
    EXPECT_FALSE(printRecord(ko.source(), printer, dialogs));
    EXPECT_FALSE(printPosition(ko.source(), Tboard(5), printer, dialogs));
    EXPECT_FALSE(printDiagrams(ko.source(), 50, printer, dialogs));
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    for (const auto& box : dialogs.boxes) {
        EXPECT_EQ(box.kind, testing::FakeDialogs::Kind::Message);
        EXPECT_EQ(box.text, u"No printer detected");
    }
    EXPECT_TRUE(printer.pages.empty());

    printer.available = true;
    EXPECT_TRUE(printRecord(ko.source(), printer, dialogs));
    EXPECT_EQ(printer.pages.size(), 1u);
    EXPECT_EQ(printer.documents, 1);
}

}  // namespace
}  // namespace veld
