// The main window under the offscreen platform: what it shows before a login, a scripted login
// against a real veld-server up to the lobby, and closing.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <filesystem>

#include "app/automation.h"
#include "app/login_dialog.h"
#include "app/program_location.h"
#include "app/qt_settings.h"
#include "client/app_lifecycle.h"
#include "client/client.h"
#include "client/program_folder.h"
#include "client/session_settings.h"
#include "headless/server_process.h"
#include "study/study_room_page.h"

namespace veld::desktop {
namespace {

using namespace std::chrono_literals;
constexpr int kWaitMs = 10000;

QStringList visibleTabs(const MainWindow& window) {
    QStringList tabs;
    for (int i = 0; i < window.pages()->count(); ++i)
        if (window.pages()->isTabVisible(i)) tabs << window.pages()->tabText(i);
    return tabs;
}

bool menuVisible(const MainWindow& window, Command command) {
    QAction* action = const_cast<MainWindow&>(window).command(command);
    return action != nullptr && action->isVisible();
}

struct MainWindowTest : ::testing::Test {
    QTemporaryDir folder;
    SessionSettings settings;

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(seedProgramFolder(installedDefaults(), folder.path().toStdString(), error))
            << error;
    }
    std::unique_ptr<MainWindow> makeWindow() {
        auto window = std::make_unique<MainWindow>(folder.path().toStdString(), settings);
        window->resize(1200, 800);
        return window;
    }
};

TEST_F(MainWindowTest, BeforeTheLoginOnlyTheCommunityPageShows) {
    auto window = makeWindow();
    ASSERT_TRUE(window->created());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Veld"));
    EXPECT_EQ(visibleTabs(*window), QStringList{QStringLiteral("上網")});
    for (Command menu : {Command::FileMenu, Command::QueryMenu, Command::SetupMenu,
                         Command::KeysMenu, Command::HelpMenu})
        EXPECT_FALSE(menuVisible(*window, menu));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path().toStdString() + "/games"));

    // The login dialog opens on the first activation; cancelling it ends the application.
    bool asked = false;
    whenLoginDialog([&](LoginDialog* dialog) {
        asked = true;
        dialog->reject();
    });
    window->show();
    ASSERT_TRUE(waitFor([&] { return window->terminated(); }, kWaitMs));
    EXPECT_TRUE(asked);
}

TEST_F(MainWindowTest, WithoutTheDocFolderTheWindowIsNotCreated) {
    std::filesystem::remove_all(folder.path().toStdString() + "/doc");
    QString text;
    answerNextBox(true, &text);
    auto window = makeWindow();
    EXPECT_FALSE(window->created());
    EXPECT_TRUE(window->terminated());
    EXPECT_EQ(text, QStringLiteral("找不到Doc目錄，建議你重新安裝"));
}

TEST_F(MainWindowTest, ALoginReachesTheLobbyAndClosingLeavesBothServers) {
    headless::TemporaryFolder data;
    headless::ServerProcess server;
    std::string error;
    ASSERT_TRUE(
        server.start(VELD_SERVER_PROGRAM,
                     {"--data", data.path().string(), "--community-port", "0", "--game-ports", "0",
                      "--server-name", "Veld 1", "--password-hash-cost", "minimal"},
                     1, 10s, error))
        << error;
    settings.writeString("comhost", "127.0.0.1");
    settings.writeString("comport", std::to_string(server.communityPort()));

    auto window = makeWindow();
    answerNextLogin(QStringLiteral("alice"), QStringLiteral("secret1"));
    window->show();
    ASSERT_TRUE(waitFor([&] { return window->serverList()->count() == 1; }, kWaitMs));
    EXPECT_EQ(window->serverList()->item(0)->text(), QStringLiteral("Veld 1"));

    emit window->serverList()->itemClicked(window->serverList()->item(0));
    ASSERT_TRUE(waitFor([&] { return window->shell().isPageActive(Page::Lobby); }, kWaitMs));
    EXPECT_TRUE(window->client().gameServers().onLine());
    const QStringList tabs = visibleTabs(*window);
    for (const char* caption : {"社群", "聚弈廳", "研究室", "主題區"})
        EXPECT_TRUE(tabs.contains(QString::fromUtf8(caption))) << caption;
    EXPECT_FALSE(tabs.contains(QStringLiteral("上網")));
    EXPECT_TRUE(menuVisible(*window, Command::QueryMenu));
    EXPECT_TRUE(menuVisible(*window, Command::SetupMenu));
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Veld--")));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("--alice")));

    // The study room brought forward by the user opens an empty board, and the file menu shows
    // with it.
    window->pages()->setCurrentWidget(window->page(Page::StudyRoom));
    EXPECT_EQ(window->studyRoom()->rooms().windowCount(Room::study), 1);
    EXPECT_EQ(window->studyRoom()->tabBar()->tabText(0), QStringLiteral("New"));
    EXPECT_TRUE(menuVisible(*window, Command::FileMenu));

    // Closing asks first; No keeps everything as it was.
    QString question;
    answerNextBox(false, &question);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(question, QStringLiteral("確定要關閉?"));
    EXPECT_TRUE(window->client().gameServers().onLine());

    answerNextBox(true);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(window->terminated());
    EXPECT_FALSE(window->client().gameServers().onLine());
    EXPECT_EQ(window->client().gameServers().currentServer(), nullptr);
    EXPECT_TRUE(window->client().gameServers().servers().empty() ||
                !window->serverList()->isVisible());
}

TEST(QtSettingsStore, ValuesComeBackByteForByte) {
    QtSettingsStore store;
    const std::string big5Name = "\xB3\xF2\xB4\xD1";  // two Big5 characters
    store.writeString("username", big5Name);
    store.writeString("soundx", "0");
    QtSettingsStore again;
    EXPECT_EQ(again.readString("username"), big5Name);
    EXPECT_EQ(again.readInt("soundx"), 0);
    EXPECT_EQ(again.readString("absent"), "");
}

}  // namespace
}  // namespace veld::desktop
