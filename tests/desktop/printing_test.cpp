// Printing to a PDF file through the print commands: one page per printed page, and a file that
// cannot be written taken as no printer.
#include "board/qt_printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "fakes/fake_ports.h"
#include "go/go_browser.h"
#include "go/point.h"

namespace veld::desktop {
namespace {

// Page objects of the file: "/Type /Page", not the "/Type /Pages" of the page tree.
int pdfPages(const QByteArray& pdf) {
    const QByteArray key("/Type /Page");
    int pages = 0;
    for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + 1)) {
        const qsizetype next = at + key.size();
        if (next >= pdf.size() || pdf[next] != 's') ++pages;
    }
    return pages;
}

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A record of `moves` main-line moves on distinct points, row by row, black on the left half of
// the board and white on the right, so that no stone is ever taken.
std::unique_ptr<GoBrowser> recordOf(int moves) {
    auto window = std::make_unique<GoBrowser>();
    for (int i = 0; i < moves; ++i) {
        const int x = i % 19 + 1;
        EXPECT_TRUE(window->playMove(x, i / 19 + 1, x <= 10 ? kBlack : kWhite)) << i;
    }
    return window;
}

struct Printing : ::testing::Test {
    QTemporaryDir folder;
    testing::FakeDialogs dialogs;

    QString file(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
};

TEST_F(Printing, DiagramsOfFiftyMovesGiveAPageEach) {
    const struct {
        int moves;
        int pages;
    } cases[] = {{100, 2}, {113, 3}, {105, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moves);
        const auto window = recordOf(c.moves);
        const QString pdf = file("diagrams.pdf");
        EXPECT_TRUE(printToPdf(pdf, [&](Printer& printer) {
            return printDiagrams(printSource(*window), 50, printer, dialogs);
        }));
        EXPECT_EQ(pdfPages(contents(pdf)), c.pages);
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Printing, TheWholeRecordIsOnePageWithTheBoardOnIt) {
    const auto window = recordOf(60);
    const QString pdf = file("record.pdf");
    EXPECT_TRUE(printToPdf(pdf, [&](Printer& printer) {
        return printRecord(printSource(*window), printer, dialogs);
    }));
    const QByteArray written = contents(pdf);
    EXPECT_EQ(pdfPages(written), 1);

    // The same page without its record holds much less.
    const auto blank = recordOf(0);
    const QString empty = file("empty.pdf");
    EXPECT_TRUE(printToPdf(empty, [&](Printer& printer) {
        return printPosition(printSource(*blank), blank->board(), printer, dialogs);
    }));
    EXPECT_EQ(pdfPages(contents(empty)), 1);
    EXPECT_GT(written.size(), contents(empty).size() + 2000);
}

TEST_F(Printing, AFileThatCannotBeWrittenIsNoPrinter) {
    const auto window = recordOf(10);
    const QString pdf = file("missing/folder/record.pdf");
    EXPECT_FALSE(printToPdf(pdf, [&](Printer& printer) {
        return printRecord(printSource(*window), printer, dialogs);
    }));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, kNoPrinterText);
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
}  // namespace veld::desktop
