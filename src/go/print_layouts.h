// The printed records of the menu "列印": the whole record on one board ("全譜"), the position
// shown now ("棋形") and the record in diagrams of 50 or 30 moves ("每分譜50手", "每分譜30手").
// Each page is drawn on a canvas of the page's printable size.
#pragma once

#include <string_view>

#include "go/board.h"
#include "go/board_geometry.h"
#include "go/canvas.h"
#include "go/go_browser.h"
#include "go/printed_board.h"
#include "protocol/ports.h"

namespace veld {

// The printer as the print commands see it.
class Printer {
  public:
    virtual ~Printer() = default;
    // Starts a document and returns its first page; null when there is no printer.
    virtual Canvas* beginDocument() = 0;
    // Ends the page and returns the next one, of the same size.
    virtual Canvas& newPage() = 0;
    // Ends the last page and sends the document to the printer.
    virtual void endDocument() = 0;
};

// Shown (plain message box) when a print command finds no printer.
inline constexpr std::u16string_view kNoPrinterText = u"No printer detected";
// The footer of the record and position pages.
inline constexpr std::u16string_view kPageFooter = u"Veld";

inline PrintSource printSource(const GoBrowser& window) {
    return {window.root(), window.info, window.boardSize()};
}

// The three header lines above the board, from the board up: the result (winner and how, komi,
// and the range of moves when there are two or more), the players, the event and date.
std::u16string headerResultLine(const RecordInfo& info, int moves);
std::u16string headerPlayersLine(const RecordInfo& info);
std::u16string headerEventLine(const RecordInfo& info);

// Where the board lies on a page of the size: laid out on the whole page as on screen when the
// rows around it fit (three header rows and a free row above; the letters, a row of notes and the
// footer below), otherwise with the spacing that makes them fit and the header rows at the top.
BoardGeometry printedPageGeometry(int width, int n, int height);

// One page: the board laid out for the page with thick lines and coordinates, its stones with
// numbers and labels, the header when asked for, the notes in rows under the board, and the
// footer centred at the bottom.
void drawPrintedPage(Canvas& page, const PrintSource& source, const PrintedBoard& board,
                     bool header, std::u16string_view footer);

// The page contents of each command.
void drawRecordPage(Canvas& page, const PrintSource& source);
void drawPositionPage(Canvas& page, const PrintSource& source, const Tboard& position);
// Diagram `range` (the first diagram prints the header); the footer is "<first-last>".
void drawDiagramPage(Canvas& page, const PrintSource& source, DiagramRange range, bool first);

// The commands. False, after the message kNoPrinterText, when there is no printer; false
// without a word for perDiagram below 1.
bool printRecord(const PrintSource& source, Printer& printer, Dialogs& dialogs);
bool printPosition(const PrintSource& source, const Tboard& position, Printer& printer,
                   Dialogs& dialogs);
bool printDiagrams(const PrintSource& source, int perDiagram, Printer& printer, Dialogs& dialogs);

}  // namespace veld
