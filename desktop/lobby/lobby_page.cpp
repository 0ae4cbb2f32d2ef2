#include "lobby/lobby_page.h"

#include <algorithm>

#include <QActionGroup>
#include <QEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QTime>
#include <QVBoxLayout>

#include "app/text.h"
#include "client/client.h"
#include "lobby/certificate_dialog.h"
#include "lobby/game_table_model.h"
#include "lobby/player_table_model.h"

namespace veld::desktop {

namespace {

// The items of "對局意願": marker and caption; the first is hidden, "O" is checked at start.
struct PlayWishItem {
    const char* marker;
    const char* caption;
};
constexpr PlayWishItem kPlayWishItems[] = {
    {"!", "渴望對局              !"}, {"O", "接受對局邀請      O"},
    {"X", "不接受對局邀請  X"},       {"%", "只接受好友邀局  %    "},
    {"=", "只與等級和我同的下    ="}, {">", "只與等級比我高的下    >"},
    {"<", "只與等級比我低的下    <"}, {"+", "只下有效棋局          +"},
    {"-", "只下無效棋局          -"},
};

// Report style: whole rows, grid lines, read-only, small images, no sorting of Qt's own (the core
// sorts on a header click).
QTableView* newListView(QWidget* parent, const QString& name) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->setSortingEnabled(false);
    view->setWordWrap(false);
    view->setIconSize(QSize(16, 16));
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setSectionsClickable(true);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return view;
}

// The key of a key press that searches a list: one printable character; none for other keys
// (arrows, function keys, shortcuts), which keep their usual meaning.
std::optional<char16_t> searchKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const QString text = event.text();
    if (text.size() != 1 || !text.front().isPrint()) return std::nullopt;
    return static_cast<char16_t>(text.front().unicode());
}

}  // namespace

LobbyPage::LobbyPage(Client& client, QWidget* parent)
    : QWidget(parent), client_(client), splitter_(new QSplitter(Qt::Horizontal, this)) {
    auto* left = new QWidget(splitter_);
    auto* right = new QWidget(splitter_);
    buildPlayerList(left);
    buildGameList(right);
    buildPlayWishMenu();
    certificate_ = new CertificateDialog(this);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("lobbyStatusBar"));
    status->setSizeGripEnabled(false);
    playerTotal_ = new QLabel(status);
    playerTotal_->setObjectName(QStringLiteral("playerTotal"));
    playerTotal_->setMinimumWidth(120);
    gameTotal_ = new QLabel(status);
    gameTotal_->setObjectName(QStringLiteral("gameTotal"));
    gameTotal_->setMinimumWidth(120);
    status->addWidget(playerTotal_);
    status->addWidget(gameTotal_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter_, 1);
    layout->addWidget(status);

    client_.players().setPort(this);
    client_.games().setPort(this);
    client_.peerMessages().setPort(this);
}

void LobbyPage::detachFromClient() {
    client_.players().setPort(nullptr);
    client_.games().setPort(nullptr);
    client_.peerMessages().setPort(nullptr);
    playerModel_->detach();
    gameModel_->detach();
}

void LobbyPage::buildPlayerList(QWidget* panel) {
    PlayerList& list = client_.players().list();
    playerView_ = newListView(panel, QStringLiteral("playerList"));
    playerModel_ = new PlayerTableModel(list, this);
    playerView_->setModel(playerModel_);
    playerView_->horizontalHeader()->setToolTip(QStringLiteral("按此欄位可重新排序"));
    for (int c = 0; c < kPlayerColumnCount; ++c)
        if (const int width = playerColumnInfo(static_cast<PlayerColumn>(c)).width; width > 0)
            playerView_->setColumnWidth(c, width);
    playerView_->installEventFilter(this);
    (new QVBoxLayout(panel))->addWidget(playerView_);
    panel->layout()->setContentsMargins(0, 0, 0, 0);

    connect(playerView_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) {
                client_.players().list().sortByColumn(static_cast<PlayerColumn>(section));
            });
    // A press of either button on a row selects it and runs the click behaviour.
    connect(playerView_, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        client_.players().list().selectRow(index.row());
        client_.players().playerClicked();
    });
    // Keyboard moves select without the click behaviour.
    connect(playerView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!following_) client_.players().list().selectRow(current.row());
            });
    connect(playerModel_, &PlayerTableModel::coreSelectionChanged, this,
            [this](int row) { showSelection(playerView_, row); });
    connect(playerModel_, &QAbstractItemModel::modelReset, this,
            [this] { showSelection(playerView_, client_.players().list().selectedRow()); });

    playerMenu_ = new QMenu(this);
    playerMenu_->setObjectName(QStringLiteral("playerMenu"));
    // "觀戰" follows the selected player (enabled while he plays); observing his game is the
    // observation room's, which connects the item.
    observeAction_ = playerMenu_->addAction(QStringLiteral("觀戰"));
    observeAction_->setEnabled(false);
    playerMenu_->addSeparator();
    Friends& friends = client_.friends();
    const std::pair<const char*, void (Friends::*)()> friendCommands[] = {
        {"邀友", &Friends::inviteFriendCommand},     {"加入好友", &Friends::addFriendCommand},
        {"去除好友", &Friends::removeFriendCommand}, {"拒絕往來", &Friends::blockCommand},
        {"恢復往來", &Friends::unblockCommand},
    };
    for (const auto& item : friendCommands) {
        const auto command = item.second;
        connect(playerMenu_->addAction(QString::fromUtf8(item.first)), &QAction::triggered, this,
                [&friends, command] { (friends.*command)(); });
    }
    connect(playerView_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        playerMenu_->popup(playerView_->viewport()->mapToGlobal(at));
    });
}

void LobbyPage::buildGameList(QWidget* panel) {
    GameList& list = client_.games().list();
    gameView_ = newListView(panel, QStringLiteral("gameList"));
    gameModel_ = new GameTableModel(list, this);
    gameView_->setModel(gameModel_);
    for (int c = 0; c < kGameColumnCount; ++c)
        gameView_->setColumnWidth(c, gameColumnInfo(static_cast<GameColumn>(c)).width);
    gameView_->installEventFilter(this);
    (new QVBoxLayout(panel))->addWidget(gameView_);
    panel->layout()->setContentsMargins(0, 0, 0, 0);

    connect(gameView_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        client_.games().list().sortByColumn(static_cast<GameColumn>(section));
    });
    connect(gameView_, &QAbstractItemView::pressed, this,
            [this](const QModelIndex& index) { client_.games().list().selectRow(index.row()); });
    connect(gameView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!following_) client_.games().list().selectRow(current.row());
            });
    connect(gameModel_, &GameTableModel::coreSelectionChanged, this,
            [this](int row) { showSelection(gameView_, row); });
    connect(gameModel_, &QAbstractItemModel::modelReset, this,
            [this] { showSelection(gameView_, client_.games().list().selectedRow()); });

    gameMenu_ = new QMenu(this);
    gameMenu_->setObjectName(QStringLiteral("gameMenu"));
    // "棋局留言" is for administrators; whoever grants that shows the item.
    QAction* title = gameMenu_->addAction(QStringLiteral("棋局留言"));
    title->setObjectName(QStringLiteral("gameTitleAction"));
    title->setVisible(false);
    connect(title, &QAction::triggered, this, [this] { client_.games().setGameTitle(); });
    // Nothing pops up while every item is hidden.
    connect(gameView_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (std::ranges::any_of(gameMenu_->actions(), &QAction::isVisible))
            gameMenu_->popup(gameView_->viewport()->mapToGlobal(at));
    });
}

void LobbyPage::buildPlayWishMenu() {
    playWishMenu_ = new QMenu(QStringLiteral("對局意願"), this);
    playWishMenu_->setObjectName(QStringLiteral("playWishMenu"));
    playWishGroup_ = new QActionGroup(this);
    for (const PlayWishItem& item : kPlayWishItems) {
        QAction* action = playWishMenu_->addAction(QString::fromUtf8(item.caption));
        const QString marker = QString::fromUtf8(item.marker);
        action->setData(marker);
        action->setCheckable(true);
        playWishGroup_->addAction(action);
        if (marker == QLatin1String("!")) action->setVisible(false);
        if (marker == QLatin1String("O")) action->setChecked(true);
        connect(action, &QAction::triggered, this,
                [this, marker] { client_.players().choosePlayWish(marker.toStdString()); });
    }
}

void LobbyPage::showSelection(QTableView* view, int row) {
    following_ = true;
    if (row < 0) {
        view->selectionModel()->clear();
    } else {
        const QModelIndex index = view->model()->index(row, 0);
        view->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->scrollTo(index);
    }
    following_ = false;
}

bool LobbyPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == playerView_ || watched == gameView_)) {
        if (const auto key = searchKey(*static_cast<QKeyEvent*>(event))) {
            // The core searches; Qt's own keyboard search stays out of it.
            if (watched == playerView_)
                client_.players().playerKeyPressed(*key);
            else
                client_.games().gameKeyPressed(*key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LobbyPage::setLeftPanelWidth(int width) {
    const int total = splitter_->width();
    splitter_->setSizes({width, std::max(0, total - width)});
}

int LobbyPage::leftPanelWidth() const {
    return splitter_->sizes().value(0);
}

QString LobbyPage::playerTotalText() const {
    return playerTotal_->text();
}

QString LobbyPage::gameTotalText() const {
    return gameTotal_->text();
}

void LobbyPage::setPlayerTotal(std::u16string_view text) {
    playerTotal_->setText(qs(text));
}

void LobbyPage::setGameTotal(std::u16string_view text) {
    gameTotal_->setText(qs(text));
}

void LobbyPage::checkPlayWish(std::string_view marker) {
    const QString wanted = QString::fromUtf8(marker.data(), static_cast<qsizetype>(marker.size()));
    for (QAction* action : playWishGroup_->actions()) {
        if (action->data().toString() != wanted) continue;
        action->setChecked(true);
        return;
    }
    // A marker the menu does not know: no item stays checked.
    playWishGroup_->setExclusive(false);
    for (QAction* action : playWishGroup_->actions()) action->setChecked(false);
    playWishGroup_->setExclusive(true);
}

void LobbyPage::setObserveEnabled(bool enabled) {
    observeAction_->setEnabled(enabled);
}

// The private chat panel comes with the chat; until then there is nothing to hide.
void LobbyPage::hidePrivateChat(bool) {}

// Sounds come with the sound player.
void LobbyPage::playSound(std::string_view file) {
    client_.playSound(file);
}

// The game rooms come with the games; until then a player who left has nothing open here.
void LobbyPage::closeAllusergames(const Tuser&) {}

void LobbyPage::addEvent(std::u16string_view text) {
    if (eventSink_) eventSink_(text);
}

std::u16string LobbyPage::timeOfDay() {
    return u16(QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat));
}

bool LobbyPage::showCertificate(const std::vector<std::u16string>& lines) {
    // Frames keep arriving while the dialog is open; a second certificate waits for none.
    if (certificate_->isVisible()) return false;
    certificate_->setLines(lines);
    certificate_->exec();
    return true;
}

std::optional<std::u16string> LobbyPage::inputBox(std::u16string_view caption,
                                                  std::u16string_view prompt,
                                                  std::u16string_view initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, qs(caption), qs(prompt), QLineEdit::Normal, qs(initial), &ok);
    if (!ok) return std::nullopt;
    return u16(text);
}

}  // namespace veld::desktop
