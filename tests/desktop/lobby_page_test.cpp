// The lobby page over a joined client on fakes: its table models follow scripted player and game
// frames with exact notifications, header clicks sort through the core, the popup's friend
// commands show in the list, and the certificate and the willingness menu answer the core.
#include "lobby/lobby_page.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/images.h"
#include "app/text.h"
#include "client/lobby_harness.h"
#include "lobby/certificate_dialog.h"
#include "lobby/game_table_model.h"
#include "lobby/player_table_model.h"

// Failures show the texts rather than their bytes.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << text.toStdString();
}

namespace veld::desktop {
namespace {

using veld::testing::LobbyHarness;
using veld::testing::PlayerWire;

constexpr std::uint8_t kPlayed = 2 << 1, kBroadcast = 1 << 1;

// What QAbstractItemModelTester reports; a test fails on any of it.
QStringList modelTestReports;

void recordModelTest(QtMsgType, const QMessageLogContext& context, const QString& text) {
    if (context.category && QByteArray(context.category) == "qt.modeltest")
        modelTestReports << text;
}

PlayerWire player(std::uint16_t uid, std::string name, std::uint8_t rankCode) {
    PlayerWire w;
    w.uid = uid;
    w.name = std::move(name);
    w.rankCode = rankCode;
    return w;
}

std::string gameRecord(std::uint16_t number, std::uint16_t gid, std::uint16_t black,
                       std::uint16_t white, std::uint8_t terms = kPlayed,
                       std::uint8_t observers = 0) {
    return wordToBytes(number) + wordToBytes(gid) + wordToBytes(black) + wordToBytes(white) +
           std::string(1, static_cast<char>(terms)) + std::string(1, static_cast<char>(observers));
}

QImage imageOf(const QVariant& decoration) {
    return decoration.value<QIcon>().pixmap(16, 16).toImage();
}

struct LobbyPageTest : ::testing::Test, LobbyHarness {
    std::unique_ptr<LobbyPage> page;
    std::unique_ptr<QAbstractItemModelTester> playerTester, gameTester;
    QtMessageHandler previousHandler = nullptr;

    void SetUp() override {
        modelTestReports.clear();
        previousHandler = qInstallMessageHandler(recordModelTest);
        page = std::make_unique<LobbyPage>(client);
        page->resize(1000, 600);
        page->show();
        playerTester = std::make_unique<QAbstractItemModelTester>(
            page->playerModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
        gameTester = std::make_unique<QAbstractItemModelTester>(
            page->gameModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void TearDown() override {
        playerTester.reset();
        gameTester.reset();
        page->detachFromClient();
        page.reset();
        qInstallMessageHandler(previousHandler);
        EXPECT_TRUE(modelTestReports.isEmpty()) << modelTestReports.join('\n').toStdString();
    }

    // Joined as "abc" (uid 7, 1d) with kim (1, 1p), lee (2, 6k) and park (3, 5d) in the lobby.
    void enterLobby() {
        joinServer();
        receive(Link::Game, "W2" + player(1, "kim", 35).record() + player(2, "lee", 20).record());
        receive(Link::Game, "W3" + me().record() + player(3, "park", 30).record());
    }

    QStringList column(QAbstractItemModel* model, int column) const {
        QStringList texts;
        for (int r = 0; r < model->rowCount(); ++r)
            texts << model->index(r, column).data().toString();
        return texts;
    }
    QStringList playerNames() const { return column(page->playerModel(), 0); }

    // What the model shows equals what the core's list holds, cell by cell.
    void expectModelsMatchCore() {
        const PlayerList& players = client.players().list();
        ASSERT_EQ(page->playerModel()->rowCount(), static_cast<int>(players.rows().size()));
        for (int r = 0; r < page->playerModel()->rowCount(); ++r)
            for (int c = 0; c < kPlayerColumnCount; ++c)
                EXPECT_EQ(page->playerModel()->index(r, c).data().toString(),
                          qs(players.cellText(r, static_cast<PlayerColumn>(c))))
                    << "player row " << r << " column " << c;
        const GameList& games = client.games().list();
        ASSERT_EQ(page->gameModel()->rowCount(), static_cast<int>(games.rows().size()));
        for (int r = 0; r < page->gameModel()->rowCount(); ++r)
            for (int c = 0; c < kGameColumnCount; ++c)
                EXPECT_EQ(page->gameModel()->index(r, c).data().toString(),
                          qs(games.cellText(r, static_cast<GameColumn>(c))))
                    << "game row " << r << " column " << c;
    }

    void clickHeader(QTableView* view, int section) {
        QHeaderView* header = view->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    void clickRow(QTableView* view, int row, Qt::MouseButton button = Qt::LeftButton) {
        const QRect cell = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), button, {}, cell.center());
    }
    void runPlayerCommand(const QString& caption) {
        for (QAction* action : page->playerMenu()->actions())
            if (action->text() == caption) return action->trigger();
        ADD_FAILURE() << "no popup item " << caption.toStdString();
    }
    int rowOf(const QString& name) const { return static_cast<int>(playerNames().indexOf(name)); }
};

TEST_F(LobbyPageTest, ModelsFollowThePlayerAndGameFrames) {
    enterLobby();
    // Strongest first, the own row selected in the view as in the core.
    EXPECT_EQ(playerNames(), QStringList({"kim", "park", "abc", "lee"}));
    EXPECT_EQ(page->playerView()->currentIndex().row(), client.players().list().selectedRow());
    EXPECT_EQ(page->playerView()->currentIndex().row(), rowOf("abc"));
    EXPECT_EQ(page->playerTotalText(), QStringLiteral("線上人數:4"));

    receive(Link::Game, player(4, "choi", 28).w1());  // a new player at the bottom
    PlayerWire again = player(2, "lee", 21);
    again.wins = 3;
    receive(Link::Game, again.w1());  // a known player changes in place
    receive(Link::Game, "G2" + gameRecord(7, 10, 1, 2) + gameRecord(12345, 11, 3, 4, kPlayed, 5));
    receive(Link::Game, "G1" + gameRecord(8, 12, 7, 4, kBroadcast));
    EXPECT_EQ(column(page->gameModel(), 0), QStringList({"1234", "0007", "0008"}));
    EXPECT_EQ(page->gameTotalText(), QStringLiteral("線上棋局:3"));
    receive(Link::Game, "WX" + wordToBytes(2));        // a row from the middle
    receive(Link::Game, "W1" + std::string(10, 'x'));  // malformed: nothing changes

    EXPECT_EQ(playerNames(), QStringList({"kim", "park", "abc", "choi"}));
    EXPECT_EQ(page->playerTotalText(), QStringLiteral("線上人數:4"));
    expectModelsMatchCore();
    // Row images: the game kinds, and the broadcasters' status.
    const auto broadcast = page->gameModel()->index(2, 0).data(Qt::DecorationRole);
    EXPECT_EQ(imageOf(broadcast), imageOf(listImage(kBroadcastGameImage)));
    EXPECT_EQ(imageOf(page->gameModel()->index(0, 0).data(Qt::DecorationRole)),
              imageOf(listImage(kPlayedGameImage)));
    EXPECT_EQ(page->playerModel()->index(rowOf("choi"), 2).data().toString(), QStringLiteral("播"));
    // Leaving the server and joining again starts the lists afresh.
    client.players().joinedServer();
    client.games().joinedServer();
    EXPECT_EQ(page->playerModel()->rowCount(), 0);
    EXPECT_EQ(page->gameModel()->rowCount(), 0);
}

TEST_F(LobbyPageTest, HeaderClicksSortThroughTheCore) {
    enterLobby();
    // After the lobby is built the direction is -1: the first click on "棋力" lists the weakest
    // first, the next the strongest.
    clickHeader(page->playerView(), static_cast<int>(PlayerColumn::Rank));
    EXPECT_EQ(playerNames(), QStringList({"lee", "abc", "park", "kim"}));
    clickHeader(page->playerView(), static_cast<int>(PlayerColumn::Rank));
    EXPECT_EQ(playerNames(), QStringList({"kim", "park", "abc", "lee"}));
    // The selection stays on its player through the sorts.
    EXPECT_EQ(page->playerView()->currentIndex().row(), rowOf("abc"));

    receive(Link::Game,
            "G2" + gameRecord(3, 10, 2, 1) + gameRecord(1, 11, 1, 3) + gameRecord(2, 12, 3, 2));
    // The snapshot comes sorted by white's rank: kim, park, lee.
    EXPECT_EQ(column(page->gameModel(), 0), QStringList({"0003", "0001", "0002"}));
    clickHeader(page->gameView(), static_cast<int>(GameColumn::Number));
    EXPECT_EQ(column(page->gameModel(), 0), QStringList({"0001", "0002", "0003"}));
    clickHeader(page->gameView(), static_cast<int>(GameColumn::Number));
    EXPECT_EQ(column(page->gameModel(), 0), QStringList({"0003", "0002", "0001"}));
    expectModelsMatchCore();
}

TEST_F(LobbyPageTest, ClicksAndKeysSelectThroughTheCore) {
    enterLobby();
    receive(Link::Game, "G2" + gameRecord(5, 10, 3, 2));
    // A right click selects the player and runs the click behaviour: park plays, so "觀戰" is on.
    clickRow(page->playerView(), rowOf("park"), Qt::RightButton);
    QTest::keyClick(page->playerMenu(), Qt::Key_Escape);
    ASSERT_TRUE(client.players().list().selectedUser());
    EXPECT_EQ(client.players().list().selectedUser()->name, "park");
    EXPECT_TRUE(page->observeAction()->isEnabled());
    clickRow(page->playerView(), rowOf("kim"));
    EXPECT_EQ(client.players().list().selectedUser()->name, "kim");
    EXPECT_FALSE(page->observeAction()->isEnabled());

    // A letter searches the rows after the selected one, wrapping; the view follows.
    QTest::keyClick(page->playerView(), 'l');
    EXPECT_EQ(client.players().list().selectedUser()->name, "lee");
    EXPECT_EQ(page->playerView()->currentIndex().row(), rowOf("lee"));
    QTest::keyClick(page->playerView(), 'k');
    EXPECT_EQ(client.players().list().selectedUser()->name, "kim");
    EXPECT_EQ(page->playerView()->currentIndex().row(), rowOf("kim"));

    // The game list searches from its selected row itself, by black's name.
    clickRow(page->gameView(), 0);
    EXPECT_EQ(client.games().list().selectedRow(), 0);
    QTest::keyClick(page->gameView(), 'p');
    EXPECT_EQ(client.games().list().selectedRow(), 0);
}

TEST_F(LobbyPageTest, FriendCommandsShowTheirImages) {
    enterLobby();
    clickRow(page->playerView(), rowOf("lee"));
    const auto friendCell = [&] {
        return page->playerModel()->index(rowOf("lee"), static_cast<int>(PlayerColumn::Friend));
    };
    const QImage none;
    const QImage friendImage = imageOf(listImage(kFriendImage));
    const QImage blockedImage = imageOf(listImage(kBlockedImage));
    const struct {
        const char* command;
        QImage shown;
    } steps[] = {
        {"加入好友", friendImage}, {"拒絕往來", blockedImage}, {"加入好友", friendImage},
        {"恢復往來", friendImage},  // a friend keeps his mark
        {"去除好友", none},        {"拒絕往來", blockedImage}, {"恢復往來", none},
    };
    for (const auto& step : steps) {
        runPlayerCommand(QString::fromUtf8(step.command));
        EXPECT_EQ(imageOf(friendCell().data(Qt::DecorationRole)), step.shown) << step.command;
    }
    EXPECT_TRUE(client.friends().listsChanged());
}

TEST_F(LobbyPageTest, CertificateAndWillingnessAnswerTheCore) {
    joinServer();
    PlayerWire mine = me();
    mine.playWish = 'X';
    receive(Link::Game, "W3" + mine.record());
    QStringList checked;
    for (QAction* action : page->playWishMenu()->actions()) {
        if (action->isChecked()) checked << action->data().toString();
        if (action->data().toString() == QStringLiteral("!")) {
            EXPECT_FALSE(action->isVisible());
        }
    }
    EXPECT_EQ(checked, QStringList{"X"});

    // The promotion opens the certificate modally; a second one while it is open is refused.
    QString shown, title;
    bool secondRefused = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = page->findChild<CertificateDialog*>();
        if (!dialog || !dialog->isVisible()) return;
        title = dialog->windowTitle();
        shown = dialog->text();
        secondRefused = !page->showCertificate({u"again"});
        dialog->findChild<QPushButton*>()->click();
    });
    receive(Link::Game, "VV" + wordToBytes(7) + "\x1B");  // 1d -> 2d
    EXPECT_EQ(title, QStringLiteral("證書"));
    const QStringList lines = shown.split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0].trimmed(), QStringLiteral("abc"));
    EXPECT_EQ(lines[2], QStringLiteral("熱心研習棋道，棋藝精進"));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("2d")));
    EXPECT_TRUE(secondRefused);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace veld::desktop
