// The main window's life without a screen: the folder check, the first activation, page changes,
// resizing, the event list and closing.
#include "client/app_lifecycle.h"

#include <gtest/gtest.h>

#include <fstream>

#include <random>
#include "client/login_harness.h"
#include "client/program_folder.h"

namespace veld::testing {
namespace {

namespace fs = std::filesystem;

// A fresh folder, removed afterwards.
struct TempFolder {
    TempFolder() {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("veld-lifecycle-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    fs::path path_;
};

struct LifecycleTest : ::testing::Test {
    LoginHarness h;
    AppLifecycle app{h.client, h.dialogs, h.shell};
    TempFolder folder;

    void makeDoc() { fs::create_directories(folder.path() / "doc"); }
};

TEST_F(LifecycleTest, CreationPreparesTheFolderAndHidesTheOnLinePages) {
    makeDoc();
    ASSERT_TRUE(app.formCreate(folder.path(), 1028));
    EXPECT_TRUE(fs::exists(folder.path() / "doc" / "classlist.txt"));
    EXPECT_TRUE(fs::is_directory(folder.path() / "games"));
    EXPECT_EQ(h.shell.terminations, 0);
    for (Page page : {Page::Lobby, Page::StudyRoom, Page::GameRoom, Page::Events, Page::Topics})
        EXPECT_FALSE(h.shell.pageVisible.at(page));
    for (Command menu : {Command::QueryMenu, Command::SetupMenu, Command::KeysMenu})
        EXPECT_FALSE(h.shell.commandVisible.at(menu));
    EXPECT_EQ(h.shell.fileMenuCaption, u"檔案");
    EXPECT_EQ(h.shell.checkedCodePage, 950);
}

TEST_F(LifecycleTest, WithoutADocFolderTheUserIsToldAndTheProgramEnds) {
    EXPECT_FALSE(app.formCreate(folder.path(), 1028));
    EXPECT_EQ(h.warnings(), std::vector<std::u16string>{LoginHarness::row(933)});
    EXPECT_EQ(h.shell.terminations, 1);
    EXPECT_FALSE(fs::exists(folder.path() / "games"));
}

TEST(ProgramFolder, SeedingKeepsWhatTheUserHas) {
    TempFolder defaults, user;
    fs::create_directories(defaults.path() / "doc");
    std::ofstream(defaults.path() / "doc" / "phraselist.txt") << "default";
    std::ofstream(defaults.path() / "doc" / "gamelist.txt") << "default";
    fs::create_directories(user.path() / "doc");
    std::ofstream(user.path() / "doc" / "phraselist.txt") << "mine";

    std::string error;
    ASSERT_TRUE(seedProgramFolder(defaults.path(), user.path(), error)) << error;
    std::ifstream phrases(user.path() / "doc" / "phraselist.txt"),
        games(user.path() / "doc" / "gamelist.txt");
    std::string a, b;
    phrases >> a;
    games >> b;
    EXPECT_EQ(a, "mine");
    EXPECT_EQ(b, "default");
    EXPECT_FALSE(seedProgramFolder(user.path() / "none", user.path(), error));
}

TEST_F(LifecycleTest, FirstActivationLogsInOnceMoreAfterARefusalAndNeverAgain) {
    // A one-letter password is refused; the second dialog is cancelled.
    h.dialogs.loginAnswers.push_back(LoginHarness::answer(u"abc", u"x"));
    app.formActivate();
    EXPECT_EQ(h.dialogs.loginShown.size(), 2u);
    EXPECT_EQ(h.shell.shownPages.front(), Page::Community);
    app.formActivate();
    EXPECT_EQ(h.dialogs.loginShown.size(), 2u);
}

TEST_F(LifecycleTest, TopicTreeWidthFromTheSettings) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"", std::nullopt}, {"150", 200}, {"x", 350}, {"420", 420}, {"12px", 350},
    };
    for (const auto& [stored, width] : cases) {
        h.settings.values["panel33w"] = stored;
        EXPECT_EQ(app.topicTreeWidth(), width) << stored;
    }
}

TEST_F(LifecycleTest, PageChanges) {
    h.shell.activePage = Page::Lobby;
    // "上網" while not on line asks for the login again.
    app.pageControl1Change(Page::Community);
    EXPECT_EQ(h.dialogs.loginShown.size(), 1u);
    EXPECT_FALSE(h.shell.commandVisible.at(Command::FileMenu));

    h.logIn();
    h.receiveTwoServers();
    h.join(0);
    h.net.clearSent();
    app.pageControl1Change(Page::StudyRoom);
    EXPECT_TRUE(h.shell.commandVisible.at(Command::FileMenu));
    // The topic tree is asked for the first time the page is shown after joining, only then.
    app.pageControl1Change(Page::Topics);
    app.pageControl1Change(Page::Topics);
    EXPECT_EQ(h.net.sent(Link::Game), packFrame("TA" + longToBytes(1)));
    EXPECT_FALSE(h.shell.commandVisible.at(Command::FileMenu));
}

TEST_F(LifecycleTest, ResizingStoresTheSizeOnlyAfterALogin) {
    EXPECT_EQ(app.formResize(1000, 700), std::nullopt);
    EXPECT_TRUE(h.settings.values.empty());
    h.logIn();
    EXPECT_EQ(app.formResize(1000, 700), (1000 - 150) * 618 / 1000);
    EXPECT_EQ(h.settings.values["veldwindowwidth"], "1000");
    EXPECT_EQ(h.settings.values["veldwindowheight"], "700");
    EXPECT_FALSE(app.toggleWindowSize());
    EXPECT_TRUE(app.toggleWindowSize());
}

TEST_F(LifecycleTest, ClosingSendsChangedListsEvenWhenCancelledThenLeavesBothServers) {
    h.logIn();
    h.receiveTwoServers();
    h.join(0);
    h.receive(Link::Community, "QF");
    h.receive(Link::Community, "QX");
    auto user = std::make_shared<Tuser>();
    user->uid = 3;
    user->displayName = u"bob";
    h.client.friends().setfriend(user);
    h.net.clearSent();

    h.dialogs.answers = {false, true};
    EXPECT_FALSE(app.formCloseQuery());
    EXPECT_NE(h.net.sent(Link::Community).find("QFS"), std::string::npos);
    EXPECT_NE(h.net.sent(Link::Community).find("QXS"), std::string::npos);
    EXPECT_TRUE(h.client.gameServers().onLine());
    EXPECT_EQ(h.shell.terminations, 0);

    EXPECT_TRUE(app.formCloseQuery());
    EXPECT_EQ(h.dialogs.boxes.back().text, LoginHarness::row(830));
    EXPECT_FALSE(h.client.gameServers().onLine());
    EXPECT_EQ(h.shell.terminations, 1);
}

TEST_F(LifecycleTest, EventList) {
    app.addEvent(u"bob", u"3d", u"hello", u"呼叫", u"10:00:00");
    app.addEvent(u"amy", u"1k", u"hi", u"呼叫", u"10:00:01");
    ASSERT_EQ(app.events().rows().size(), 2u);
    EXPECT_EQ(app.events().rows()[0].index, u"001");
    EXPECT_EQ(app.events().rows()[1].index, u"002");
    EXPECT_EQ(app.events().rows()[1].from, u"amy");
    EXPECT_TRUE(h.shell.pageVisible.at(Page::Events));
    EXPECT_EQ(h.shell.pageImages.at(Page::Events), 7);

    // Nobody of that name in the player list.
    app.eventDoubleClicked(0);
    EXPECT_EQ(h.dialogs.boxes.back().text, u"bob" + LoginHarness::row(618));
    app.events().clear();
    app.addEvent(u"cy", u"", u"", u"", u"");
    EXPECT_EQ(app.events().rows()[0].index, u"001");
}

}  // namespace
}  // namespace veld::testing
