// The study room under the offscreen platform: real records from the professional collection
// opened through the open dialog, stepped through, edited on the board and in the comment pane,
// saved through the save dialog, and opened again.
#include "study/study_room_page.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/automation.h"
#include "app/program_location.h"
#include "app/qt_dialogs.h"
#include "board/board_widget.h"
#include "client/client.h"
#include "client/program_folder.h"
#include "fakes/fake_ports.h"
#include "go/rooms.h"
#include "sound/sound_effects.h"

namespace veld::desktop {
namespace {

constexpr int kWaitMs = 10000;

// The games of a collection file, each as the text of its own file.
std::vector<std::string> gamesOf(const std::filesystem::path& collection, std::size_t count) {
    std::ifstream in(collection, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    std::vector<std::string> games;
    std::size_t start = text.find("(;");
    while (start != std::string::npos && games.size() < count) {
        const std::size_t next = text.find("\n(;", start + 2);
        games.push_back(text.substr(start, next == std::string::npos ? next : next + 1 - start));
        start = next == std::string::npos ? next : next + 1;
    }
    return games;
}

class SilentPlayer : public SoundPlayer {
  public:
    void close() override {}
    bool open(const std::filesystem::path& path) override {
        played.push_back(path.filename().string());
        return true;
    }
    void play() override {}
    bool isPlaying() const override { return false; }
    std::vector<std::string> played;
};

struct StudyRoomTest : ::testing::Test {
    QTemporaryDir folder;
    testing::FakeNet net;
    testing::FakeShell shell;
    testing::FakeSettingsStore settings;
    std::unique_ptr<QWidget> top = std::make_unique<QWidget>();
    QtDialogs dialogs{top.get()};
    Client client{net, dialogs, shell, settings};
    SilentPlayer player;
    std::filesystem::path programFolder;
    std::unique_ptr<SoundEffects> sounds;
    std::unique_ptr<StudyRoomPage> page;

    void SetUp() override {
        programFolder = folder.path().toStdString();
        std::string error;
        ASSERT_TRUE(seedProgramFolder(installedDefaults(), programFolder, error)) << error;
        sounds = std::make_unique<SoundEffects>(player, programFolder / "wave", settings);
        page = std::make_unique<StudyRoomPage>(client, shell, dialogs, *sounds, programFolder,
                                               [](std::u16string_view, std::string_view) {});
        page->resize(1000, 700);
        page->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    }

    std::filesystem::path write(const std::string& name, const std::string& text) {
        const auto path = programFolder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    void open(const QStringList& files) {
        answerNextFileDialog(files);
        page->files().openFiles(false);
    }

    GoBrowser& shown() { return *page->rooms().shownWindow(Room::study); }

    // The setup menu's entries, as the main window adds them.
    void fillMenus() {
        auto* menu = new QMenu(page.get());
        page->fillSetupMenu(menu);
    }

    void clickNav(const QString& caption) {
        for (QPushButton* b : page->findChildren<QPushButton*>()) {
            if (b->text() == caption) {
                b->click();
                return;
            }
        }
        FAIL() << "no button " << caption.toStdString();
    }

    // A left click on the board point (x, y).
    void clickPoint(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        const PixelPoint at = page->board()->geometry().pointToPixel(x, y);
        const qreal ratio = page->board()->devicePixelRatioF();
        QTest::mouseClick(page->board(), button, {},
                          QPoint(static_cast<int>(at.x / ratio), static_cast<int>(at.y / ratio)));
    }

    QRgb pixelAt(int x, int y) {
        const PixelPoint at = page->board()->geometry().pointToPixel(x, y);
        return page->board()->picture().pixel(at.x, at.y);
    }
};

int brightness(QRgb rgb) {
    return (qRed(rgb) + qGreen(rgb) + qBlue(rgb)) / 3;
}

TEST_F(StudyRoomTest, ABrokenFileAmongThreeLeavesTwoTabsAndOneWarning) {
    const auto games = gamesOf(VELD_SHARED_DATA "/pro-games/pro-games-sample.sgf", 2);
    ASSERT_EQ(games.size(), 2u);
    const auto first = write("first.sgf", games[0]);
    const auto broken = write("broken.sgf", "GM[1]SZ[19] B[pd] W[dp] -- not a record");
    const auto third = write("third.sgf", games[1]);

    QString warning;
    answerNextBox(true, &warning);
    open({QString::fromStdString(first.string()), QString::fromStdString(broken.string()),
          QString::fromStdString(third.string())});
    EXPECT_EQ(page->tabBar()->count(), 2);
    EXPECT_TRUE(warning.endsWith(QStringLiteral("broken.sgf 檔案格式錯誤")))
        << warning.toStdString();
    EXPECT_EQ(page->rooms().windowCount(Room::study), 2);
    EXPECT_EQ(shown().fileName, third);
    // The tab caption names the players.
    EXPECT_TRUE(page->tabBar()->tabText(1).contains(QLatin1Char('-')));
}

TEST_F(StudyRoomTest, StepThroughAProfessionalGameOnTheBoard) {
    const auto games = gamesOf(VELD_SHARED_DATA "/pro-games/pro-games-sample.sgf", 1);
    ASSERT_EQ(games.size(), 1u) << "the professional games beside the repository";
    open({QString::fromStdString(write("game.sgf", games[0]).string())});
    ASSERT_EQ(page->rooms().windowCount(Room::study), 1);
    GoBrowser& window = shown();

    clickNav(QStringLiteral("快速前進"));
    clickNav(QStringLiteral("下一手"));
    const Node& eleventh = window.current();
    ASSERT_NE(eleventh.colour, 0);
    EXPECT_EQ(page->moveNumberButton()->text().toInt(), 11);
    // Every stone stands where the record put it, in its colour: looked at off the centre,
    // where the last move's cross is drawn.
    for (const Tgp& stone : window.board().occupiedPoints()) {
        const PixelPoint at = page->board()->geometry().pointToPixel(stone.x, stone.y);
        const int r = page->board()->geometry().radius;
        const int off = brightness(page->board()->picture().pixel(at.x - r / 2, at.y - r / 2));
        if (stone.colour == kBlack) {
            EXPECT_LT(off, 110) << stone.x << "," << stone.y;
        } else {
            EXPECT_GT(off, 140) << stone.x << "," << stone.y;
        }
    }

    clickNav(QStringLiteral("最後一手"));
    EXPECT_EQ(window.current().firstChild, nullptr);
    clickNav(QStringLiteral("第一手"));
    EXPECT_EQ(&window.current(), &window.root());
    // Only the stones set up at the root are left.
    EXPECT_EQ(window.board().occupiedPoints().size(),
              window.root().blackSetup.size() + window.root().whiteSetup.size());
}

TEST_F(StudyRoomTest, EditsSurviveSavingAndOpeningAgain) {
    const auto games = gamesOf(VELD_SHARED_DATA "/pro-games/pro-games-sample.sgf", 1);
    ASSERT_EQ(games.size(), 1u) << "the professional games beside the repository";
    open({QString::fromStdString(write("game.sgf", games[0]).string())});
    GoBrowser& window = shown();
    clickNav(QStringLiteral("快速前進"));
    Node& tenth = window.current();
    ASSERT_NE(tenth.firstChild, nullptr);

    // A variation: a move at an empty point other than the record's next move.
    int vx = 0, vy = 0;
    const Tboard& board = window.board();
    auto open4 = [&](int x, int y) {
        return board.colourAt(x, y) == 0 && board.colourAt(x - 1, y) == 0 &&
               board.colourAt(x + 1, y) == 0 && board.colourAt(x, y - 1) == 0 &&
               board.colourAt(x, y + 1) == 0;
    };
    for (int y = 3; y <= 17 && !vx; ++y)
        for (int x = 3; x <= 17 && !vx; ++x)
            if (open4(x, y) && !(tenth.firstChild->x == x && tenth.firstChild->y == y)) {
                vx = x;
                vy = y;
            }
    clickPoint(vx, vy);
    ASSERT_NE(tenth.firstChild->nextSibling, nullptr);
    Node& variation = window.current();
    EXPECT_EQ(variation.x, vx);

    // A comment typed into the pane, a label, and a setup stone.
    page->commentPane()->setPlainText(QStringLiteral("好手！"));
    page->chooseTool(Tool::mark);
    clickPoint(10, 10);
    page->chooseTool(Tool::blackStone);
    clickPoint(1, 1);
    page->chooseTool(Tool::play);
    window.saveCommentEdit();
    EXPECT_EQ(variation.comment, u"好手！");
    const std::string before = window.recordText(SgfWriteMode::WithVoice);

    const auto saved = programFolder / "edited";
    answerNextFileDialog({QString::fromStdString(saved.string())});
    ASSERT_TRUE(page->files().saveAs());
    const auto savedFile = programFolder / "edited.sgf";
    ASSERT_TRUE(std::filesystem::exists(savedFile));

    open({QString::fromStdString(savedFile.string())});
    ASSERT_EQ(page->rooms().windowCount(Room::study), 2);
    GoBrowser& reopened = shown();
    EXPECT_EQ(reopened.recordText(SgfWriteMode::WithVoice), before);
    // The setup stone stands at the root, the variation and its comment are there.
    EXPECT_EQ(reopened.board().colourAt(1, 1), kBlack);
    reopened.moveBy(10);
    ASSERT_NE(reopened.current().firstChild, nullptr);
    const Node* again = reopened.current().firstChild->nextSibling.get();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->comment, u"好手！");
}

TEST_F(StudyRoomTest, TheStudyMenuCountsWithADeadGroupTakenOff) {
    page->files().newRecord(9);
    GoBrowser& window = shown();
    EXPECT_EQ(window.boardSize(), 9);
    clickPoint(3, 3);
    EXPECT_EQ(window.board().colourAt(3, 3), kBlack);
    clickPoint(7, 7);
    EXPECT_EQ(window.board().colourAt(7, 7), kWhite);
    clickPoint(5, 5, Qt::RightButton);
    ASSERT_NE(page->studyMenu(), nullptr);
    EXPECT_TRUE(waitFor([&] { return page->studyMenu()->isVisible(); }, kWaitMs));
    auto item = [&](const QString& caption) -> QAction* {
        for (QAction* action : page->studyMenu()->actions())
            if (action->text() == caption) return action;
        return nullptr;
    };
    ASSERT_NE(item(QStringLiteral("旋轉90度")), nullptr);
    // "提子", then a click on the white stone takes it off as dead; "點空" counts.
    item(QStringLiteral("提子"))->trigger();
    page->studyMenu()->close();
    clickPoint(7, 7);
    EXPECT_EQ(window.board().colourAt(7, 7), 0);
    ASSERT_EQ(window.deadGroups().size(), 1u);
    QString count;
    answerNextBox(true, &count);
    clickPoint(5, 5, Qt::RightButton);
    item(QStringLiteral("點空"))->trigger();
    EXPECT_TRUE(count.endsWith(QStringLiteral("B+81"))) << count.toStdString();
}

TEST_F(StudyRoomTest, CloseAsksToSaveAChangedRecord) {
    page->files().newRecord(19);
    EXPECT_EQ(page->tabBar()->count(), 1);
    clickPoint(4, 4);
    QString question;
    answerNextBox(false, &question);
    page->closeRecord();
    EXPECT_FALSE(question.isEmpty());
    EXPECT_EQ(page->tabBar()->count(), 0);
    EXPECT_EQ(page->rooms().windowCount(Room::study), 0);

    // An untouched record closes without a word.
    page->files().newRecord(19);
    page->closeRecord();
    EXPECT_EQ(page->tabBar()->count(), 0);
}

TEST_F(StudyRoomTest, AutoplayStepsOnTheClockUntilStopped) {
    const auto games = gamesOf(VELD_SHARED_DATA "/pro-games/pro-games-sample.sgf", 1);
    ASSERT_EQ(games.size(), 1u) << "the professional games beside the repository";
    open({QString::fromStdString(write("game.sgf", games[0]).string())});
    GoBrowser& window = shown();
    page->autoplay().setAutoplayspeed(1);
    const Node* start = &window.current();
    clickNav(QStringLiteral("播放/停止"));
    EXPECT_TRUE(window.autoplaying);
    ASSERT_TRUE(waitFor([&] { return start->firstChild.get() == &window.current(); }, 3000));
    clickNav(QStringLiteral("播放/停止"));
    EXPECT_FALSE(window.autoplaying);
    EXPECT_EQ(settings.values["autoplayspeed"], "1");
}

TEST_F(StudyRoomTest, TheSoundSwitchSilencesTheStoneAndIsKept) {
    fillMenus();
    page->files().newRecord(19);
    player.played.clear();
    clickPoint(4, 4);
    EXPECT_EQ(player.played, std::vector<std::string>{"stone.wav"});

    ASSERT_TRUE(page->soundAction()->isChecked());
    page->soundAction()->trigger();
    EXPECT_EQ(settings.values["soundx"], "0");
    player.played.clear();
    clickPoint(5, 5);
    EXPECT_TRUE(player.played.empty());
}

}  // namespace
}  // namespace veld::desktop
