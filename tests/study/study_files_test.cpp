#include "study/study_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "go/tree.h"
#include "protocol/codepage.h"
#include "protocol/language.h"
#include "protocol/text_table.h"
#include "protocol/wire.h"
#include "sound/sound_effects.h"
#include "study/name_lists.h"
#include "study/study_fixture.h"

namespace veld {
namespace {

using Strings = std::vector<std::string>;
using Texts = std::vector<std::u16string>;

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The two-letter points, in order.
std::string points(const std::vector<Tgp>& stones) {
    std::string text;
    for (const Tgp& p : stones) {
        if (!text.empty()) text += ' ';
        text += static_cast<char>('a' + p.x - 1);
        text += static_cast<char>('a' + p.y - 1);
    }
    return text;
}

// The study room with its file commands over a program folder of its own, on 7 March 2009.
struct Files {
    Files() {
        folder.write("wave/click.wav", "RIFF");
        folder.write("doc/gamelist.txt", "名人戰\r\n");
        folder.write("doc/playerlist.txt", "李昌鎬\r\n曺薰鉉\r\n");
        lists.load();
    }

    std::vector<std::u16string> tabCaptions() const {
        std::vector<std::u16string> captions;
        for (const auto& tab : s.study.tabs.tabs) captions.push_back(tab.caption);
        return captions;
    }
    GoBrowser& current() { return *s.rooms.currentgobrowser(); }

    testing::TempFolder folder;
    test::StudyRooms s;
    testing::FakeStudyFileDialogs dialogs;
    testing::FakeDialogs boxes;
    Language language;
    testing::FakeSoundPlayer player;
    SoundEffects sounds{player, folder.path() / "wave", s.settings};
    NameLists lists{folder.path() / "doc"};
    DateTime now = *encodeDateTime({2009, 3, 7, 21, 5, 9});
    bool topicRecordTabVisible = false;
    StudyFilesEnvironment environment{[this] { return now; },
                                      [this] { return topicRecordTabVisible; }};
    StudyFiles files{s.rooms,       dialogs,    boxes, s.shell,
                     language,      sounds,     lists, TextTable::builtIn(),
                     folder.path(), environment};
};

TEST(StudyFiles, NewRecordsTakeTheChosenSizeAndToday) {
    Files f;
    EXPECT_EQ(f.files.newRecordSize(), 19);
    f.files.newRecord(9);
    EXPECT_EQ(f.player.events, (Strings{"close", "open click.wav", "play"}));
    EXPECT_EQ(f.files.newRecordSize(), 9);
    GoBrowser& w = f.current();
    EXPECT_EQ(f.tabCaptions(), Texts{u"New"});
    EXPECT_EQ(w.boardSize(), 9);
    EXPECT_EQ(f.s.study.board.size, 9);
    EXPECT_TRUE(w.mayAct);
    const std::string text = w.recordText(SgfWriteMode::Normal);
    EXPECT_NE(text.find("EV[New]"), std::string::npos) << text;
    EXPECT_NE(text.find("DT[2009/03/07]"), std::string::npos) << text;
    EXPECT_NE(text.find("SZ[9]"), std::string::npos) << text;

    // The study room page with a window there opens nothing more.
    f.files.studyRoomShown();
    EXPECT_EQ(f.s.rooms.windowCount(Room::study), 1);

    // Without one it opens a board of the size chosen last, without the click.
    Files g;
    g.files.studyRoomShown();
    EXPECT_EQ(g.s.rooms.windowCount(Room::study), 1);
    EXPECT_EQ(g.current().boardSize(), 19);
    EXPECT_TRUE(g.player.events.empty());
}

TEST(StudyFiles, OpenFilesGivesATabPerRecordAndOneWarningForTheRest) {
    Files f;
    const auto a = f.folder.write("a.sgf", "(;SZ[19]PB[Lee]PW[Cho];B[pd];W[dp])");
    const auto broken = f.folder.write("broken.sgf", "not a record");
    const auto c = f.folder.write("c.sgf", "(;SZ[13];B[aa])");
    f.dialogs.openAnswers.push_back({a, broken, c});
    f.files.openFiles(false);

    EXPECT_EQ(f.tabCaptions(), (Texts{u"Lee-Cho", u"無題"}));
    EXPECT_EQ(f.s.rooms.windowAt(Room::study, 0)->fileName, a);
    EXPECT_EQ(f.current().fileName, c);
    EXPECT_EQ(f.player.events, (Strings{"close", "open click.wav", "play"}));
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].kind, testing::FakeDialogs::Kind::Warning);
    EXPECT_EQ(f.boxes.boxes[0].text, broken.u16string() + u" 檔案格式錯誤");

    f.dialogs.openAnswers.push_back({broken, f.folder.path() / "missing.sgf"});
    f.files.openFiles(false);
    EXPECT_EQ(f.boxes.boxes.back().text, u"2 files 檔案格式錯誤");
    EXPECT_EQ(f.s.rooms.windowCount(Room::study), 2);

    // Cancel: nothing at all.
    f.player.events.clear();
    f.files.openFiles(false);
    EXPECT_TRUE(f.player.events.empty());
    EXPECT_EQ(f.boxes.boxes.size(), 2u);
}

TEST(StudyFiles, TheButtonReadsCommentsInTheCodePageOfTheSystemLanguage) {
    Files f;
    f.language.languageId = 1042;  // Korean; the user had chosen code page 950 from the menu
    // "안녕" in code page 949.
    const auto file = f.folder.write("k.sgf", "(;SZ[19];B[aa]C[\xBE\xC8\xB3\xE7])");

    f.dialogs.openAnswers.push_back({file});
    f.files.openFiles(false);
    EXPECT_NE(f.current().current().comment, u"안녕");

    f.dialogs.openAnswers.push_back({file});
    f.files.openFiles(true);
    EXPECT_EQ(f.language.fileCodePage, 949);
    EXPECT_EQ(f.s.shell.checkedCodePage, 949);
    EXPECT_EQ(f.current().current().comment, u"안녕");
}

TEST(StudyFiles, SaveWritesBackOrAsksOnceForANewRecord) {
    Files f;
    const auto file = f.folder.write("game.sgf", "(;SZ[19]PB[Lee]PW[Cho];B[pd]C[hello])");
    f.dialogs.openAnswers.push_back({file});
    f.files.openFiles(false);
    f.current().playMove(4, 4, kWhite);
    EXPECT_TRUE(f.files.save(SgfWriteMode::WithoutComments));
    EXPECT_TRUE(f.dialogs.proposedNames.empty());
    const std::string written = fileBytes(file);
    EXPECT_NE(written.find("W[dd]"), std::string::npos) << written;
    EXPECT_EQ(written.find("C["), std::string::npos) << written;

    // A new record without names: no name proposed; the one chosen gets ".sgf" and is kept.
    f.files.newRecord(19);
    f.dialogs.saveAnswers.push_back(std::nullopt);
    EXPECT_FALSE(f.files.save(SgfWriteMode::WithVoice));
    EXPECT_TRUE(f.current().fileName.empty());
    f.dialogs.saveAnswers.push_back(f.folder.path() / "mine");
    EXPECT_TRUE(f.files.save(SgfWriteMode::WithVoice));
    EXPECT_EQ(f.dialogs.proposedNames, (Texts{u"", u""}));
    EXPECT_EQ(f.current().fileName, f.folder.path() / "mine.sgf");
    EXPECT_TRUE(std::filesystem::exists(f.folder.path() / "mine.sgf"));
    EXPECT_TRUE(f.files.save(SgfWriteMode::WithVoice));
    EXPECT_EQ(f.dialogs.proposedNames.size(), 2u);
    EXPECT_TRUE(f.boxes.boxes.empty());
}

TEST(StudyFiles, NamesProposedForFilesHoldNoForbiddenCharacters) {
    Files f;
    f.files.newRecord(19);
    f.current().info.setBlackName(u"A/B");
    f.current().info.setWhiteName(u"C:D?");
    f.files.save(SgfWriteMode::WithVoice);
    f.files.saveAs(u" (2)");
    EXPECT_EQ(f.dialogs.proposedNames, (Texts{u"A_B-C_D_", u"A_B-C_D_ (2)"}));
    EXPECT_EQ(safeFileName(u"a\\b*c\"d<e>f|g\th.sgf"), u"a_b_c_d_e_f_g_h.sgf");

    // Save under a new name always asks, proposing the names even when they are empty.
    Files g;
    g.files.newRecord(19);
    g.dialogs.saveAnswers.push_back(g.folder.path() / "one.sgf");
    EXPECT_TRUE(g.files.saveAs());
    g.dialogs.saveAnswers.push_back(g.folder.path() / "two.sgf");
    EXPECT_TRUE(g.files.saveAs());
    EXPECT_EQ(g.dialogs.proposedNames, (Texts{u"-", u"-"}));
    EXPECT_EQ(g.current().fileName, g.folder.path() / "two.sgf");
}

TEST(StudyFiles, AFileThatCannotBeWrittenIsToldAndTheOldNameKept) {
    Files f;
    const auto file = f.folder.write("game.sgf", "(;SZ[19];B[pd])");
    f.dialogs.openAnswers.push_back({file});
    f.files.openFiles(false);
    // The file has become a folder.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_FALSE(f.files.save(SgfWriteMode::WithVoice));
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_NE(f.boxes.boxes[0].text.find(file.u16string()), std::u16string::npos);

    const auto nowhere = f.folder.path() / "missing" / "x.sgf";
    f.dialogs.saveAnswers.push_back(nowhere);
    EXPECT_FALSE(f.files.saveAs());
    EXPECT_EQ(f.current().fileName, file);
    ASSERT_EQ(f.boxes.boxes.size(), 2u);
    EXPECT_NE(f.boxes.boxes[1].text.find(nowhere.u16string()), std::u16string::npos);

    EXPECT_FALSE(Files().files.save(SgfWriteMode::WithVoice));  // no window: nothing
}

TEST(StudyFiles, RecordInformationFillsTheDialogAndTakesItBack) {
    Files f;
    f.s.open("(;SZ[19]EV[Open_2009]PB[Lee]PW[Cho]BR[9p]WR[8p]RE[W+0.5]DT[2009-03-07]KM[6.5])");
    GoBrowser& w = f.current();
    const RecordInfo before = w.info;

    f.files.recordInformation();  // cancelled
    ASSERT_EQ(f.dialogs.recordInfoShown.size(), 1u);
    const RecordInfoModel& shown = f.dialogs.recordInfoShown[0];
    EXPECT_EQ(shown.title, u"Open2009");
    EXPECT_EQ(shown.black + shown.blackRank + shown.white + shown.whiteRank, u"Lee9pCho8p");
    EXPECT_EQ(shown.result + shown.date + shown.komi, u"W+0.52009-03-076.5");
    EXPECT_EQ(shown.titleItems, (Texts{u"編輯", u"名人戰"}));
    EXPECT_EQ(shown.playerItems, (Texts{u"編輯", u"李昌鎬", u"曺薰鉉"}));
    EXPECT_EQ(w.info.eventName, before.eventName);

    f.dialogs.onRecordInfo = [](RecordInfoModel& m) {
        m.title = u"名人戰";
        m.black = u"李昌鎬";
        m.blackRank = u"9段";
        m.white = u"曺薰鉉";
        m.result = u"B+R";
        m.komi = u"5.5";
        return RecordInfoAnswer::ok;
    };
    f.files.recordInformation();
    EXPECT_EQ(w.info.eventWritten, wideToHex(u"名人戰"));
    EXPECT_EQ(w.info.blackNameWritten, wideToHex(u"李昌鎬"));
    EXPECT_EQ(w.info.blackRankWritten, wideToBig5(u"9段"));
    EXPECT_EQ(w.info.resultCode, "B+R");
    EXPECT_EQ(w.info.resultText, resultDisplayText("B+R", TextTable::builtIn()));
    EXPECT_EQ(w.info.komi, "5.5");
    EXPECT_EQ(w.info.date, "2009-03-07");
    EXPECT_EQ(f.tabCaptions(), Texts{u"李昌鎬-曺薰鉉"});
    EXPECT_EQ(f.s.study.players.black.name, u"李昌鎬");

    // "編輯" in a box: the editor page opens with that list, the record stays as it is.
    f.dialogs.onRecordInfo = [](RecordInfoModel& m) {
        m.black = u"changed";
        return RecordInfoAnswer::editPlayers;
    };
    f.files.recordInformation();
    f.dialogs.onRecordInfo = [](RecordInfoModel&) { return RecordInfoAnswer::editTitles; };
    f.files.recordInformation();
    using Opened = std::pair<std::u16string, std::string>;
    EXPECT_EQ(f.dialogs.editorsOpened,
              (std::vector<Opened>{{u"李昌鎬\r\n曺薰鉉\r\n", "editplayerlist"},
                                   {u"名人戰\r\n", "editgamelist"}}));
    EXPECT_EQ(w.info.blackName, u"李昌鎬");
}

TEST(StudyFiles, TakePositionMakesTheStonesSetupStonesOfANewRecord) {
    Files f;
    // White captures the black stone at aa, then black plays on.
    GoBrowser& source = f.s.open("(;SZ[9];B[aa];W[ba];B[ee];W[ab];B[cc];W[ff])");
    source.moveBy(-999);
    source.moveBy(5);
    const std::string picture = f.s.study.board.picture();
    f.files.takePosition();

    GoBrowser& w = f.current();
    EXPECT_NE(&w, &source);
    EXPECT_EQ(f.tabCaptions(), (Texts{u"record", u"New"}));
    EXPECT_EQ(w.boardSize(), 9);
    EXPECT_EQ(w.root().firstChild, nullptr);
    EXPECT_EQ(points(w.root().blackSetup), "cc ee");
    EXPECT_EQ(points(w.root().whiteSetup), "ab ba");  // scan order: by column, then row
    EXPECT_EQ(w.board().occupiedPoints(), source.board().occupiedPoints());
    EXPECT_EQ(f.s.study.board.picture(), picture);
}

TEST(StudyFiles, FinishedGamesAreSavedUnderTheirTimeAndPlayers) {
    Files f;
    GoBrowser& w = f.s.open("(;SZ[19]PB[A]PW[B];B[pd])");
    const auto path = f.files.autosavegamefile(w, f.now);
    EXPECT_EQ(path, f.folder.path() / "games" / "2009-03-07-21-05-09-A-B.sgf");
    EXPECT_EQ(w.fileName, path);
    EXPECT_NE(fileBytes(path).find("B[pd]"), std::string::npos);

    w.info.setBlackName(u"x/y");
    w.info.setWhiteName(u"a?b");
    EXPECT_EQ(f.files.autosavegamefile(w, f.now).filename(), "2009-03-07-21-05-09-x_y-a_b.sgf");

    // The games folder is a file: nothing written, and the user is told.
    Files g;
    g.folder.write("games", "");
    GoBrowser& v = g.s.open("(;SZ[19]PB[A]PW[B];B[pd])");
    EXPECT_TRUE(g.files.autosavegamefile(v, g.now).empty());
    EXPECT_TRUE(v.fileName.empty());
    ASSERT_EQ(g.boxes.boxes.size(), 1u);
    EXPECT_EQ(g.boxes.boxes[0].kind, testing::FakeDialogs::Kind::Warning);
}

TEST(StudyFiles, RecordTextsAreShownAsEachPageShowsThem) {
    const std::string game = test::lineRecord(30);
    struct Case {
        const char* what;
        Room page;
        std::string text;
        bool topicTabVisible;
        int move;
        bool mayAct;
    };
    for (const Case& c : {
             Case{"study room", Room::study, game, false, 11, true},
             Case{"study room, a position", Room::study, "(;SZ[19]AB[aa];B[bb];W[cc])", false, 0,
                  true},
             Case{"observation room", Room::observation, game, false, 1, false},
             Case{"game records", Room::gameRecords, game, false, 11, false},
             Case{"topic, record tab shown", Room::topics, game, true, 11, true},
             Case{"topic, record tab hidden", Room::topics, game, false, 1, true},
         }) {
        SCOPED_TRACE(c.what);
        Files f;
        f.topicRecordTabVisible = c.topicTabVisible;
        GoBrowser* w = f.files.scanAndShowSGFstring(c.text, c.page);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(f.s.rooms.roomOf(*w), c.page);
        EXPECT_EQ(f.s.rooms.currentgobrowser(), w);
        EXPECT_EQ(moveNumber(w->current()), c.move);
        EXPECT_EQ(w->mayAct, c.mayAct);
        EXPECT_EQ(w->loadedText, c.text);
        EXPECT_EQ(w->checkInvariants(), "");
        if (c.page == Room::observation) {
            EXPECT_EQ(w->phase, Phase::searchRecord);
            EXPECT_TRUE(w->autoplaying);
            EXPECT_EQ(w->role, Role::observing);
            EXPECT_EQ(f.s.observation.tabs.tabs.at(0).caption, u"-");
        }
    }

    Files f;
    GoBrowser* loose = f.files.scanAndShowSGFstring(game, Room::patternSearch);
    ASSERT_NE(loose, nullptr);
    EXPECT_FALSE(f.s.rooms.roomOf(*loose).has_value());
    EXPECT_EQ(f.files.scanAndShowSGFstring("no record here", Room::study), nullptr);
    EXPECT_EQ(f.s.shell.status, u"檔案格式錯誤！");
    EXPECT_EQ(f.s.rooms.windowCount(Room::study), 0);
}

TEST(StudyFiles, RecordsForMarkingStandAtTheMoveAsked) {
    Files f;
    GoBrowser* w =
        f.files.scansgfgoto("(;SZ[19]PB[A]PW[B];B[aa];W[bb];B[cc];W[dd])", 3, Room::gameMarks);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(f.s.rooms.roomOf(*w), Room::gameMarks);
    EXPECT_EQ(moveNumber(w->current()), 3);
    EXPECT_FALSE(w->mayAct);
    EXPECT_EQ(f.files.scansgfgoto("nothing", 3, Room::gameMarks), nullptr);
    EXPECT_EQ(f.s.rooms.windowCount(Room::gameMarks), 1);
}

}  // namespace
}  // namespace veld
