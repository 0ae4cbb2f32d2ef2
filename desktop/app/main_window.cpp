#include "app/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTime>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/editor_page.h"
#include "app/event_page.h"
#include "app/qt_dialogs.h"
#include "app/qt_net.h"
#include "app/qt_sound_player.h"
#include "app/text.h"
#include "client/app_lifecycle.h"
#include "client/client.h"
#include "lobby/lobby_page.h"
#include "protocol/language.h"
#include "sound/sound_effects.h"
#include "study/navigation.h"
#include "study/study_room_page.h"

namespace veld::desktop {

namespace {

QWidget* emptyPage(const QString& name) {
    auto* page = new QWidget;
    page->setObjectName(name);
    return page;
}

std::optional<NavKey> navKeyOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return NavKey::left;
        case Qt::Key_Right:
            return NavKey::right;
        case Qt::Key_Up:
            return NavKey::up;
        case Qt::Key_Down:
            return NavKey::down;
        case Qt::Key_PageUp:
            return NavKey::pageUp;
        case Qt::Key_PageDown:
            return NavKey::pageDown;
        case Qt::Key_Home:
            return NavKey::home;
        case Qt::Key_End:
            return NavKey::end;
        default:
            return std::nullopt;
    }
}

// The entries of the file-open code-page menu.
struct CodePageEntry {
    const char* caption;
    int codePage;
};
constexpr CodePageEntry kCodePageEntries[] = {
    {"中文繁體", 950}, {"中文簡體", 936}, {"韓文", 949},
    {"日文", 932},     {"泰文", 874},     {"其他", 437},
};

}  // namespace

MainWindow::MainWindow(std::filesystem::path programFolder, SettingsStore& settings,
                       QWidget* parent)
    : QMainWindow(parent), programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Veld"));
    parts_.window = this;
    parts_.tabs = new QTabWidget(this);
    parts_.tabs->setObjectName(QStringLiteral("pageControl"));
    parts_.tabs->setTabPosition(QTabWidget::North);
    parts_.terminate = [this] {
        terminated_ = true;
        emit terminateRequested();
    };

    net_ = std::make_unique<QtNet>();
    dialogs_ = std::make_unique<QtDialogs>(this);
    shell_ = std::make_unique<QtShell>(parts_);
    client_ = std::make_unique<Client>(*net_, *dialogs_, *shell_, settings);
    net_->setClient(client_.get());
    lifecycle_ = std::make_unique<AppLifecycle>(*client_, *dialogs_, *shell_);
    soundPlayer_ = std::make_unique<QtSoundPlayer>();
    sounds_ = std::make_unique<SoundEffects>(*soundPlayer_, programFolder_ / "wave", settings);
    client_->setSoundSink([this](std::string_view file) { sounds_->playSound(file); });

    buildMenus();
    buildPages();
    buildStatusBars();

    connect(parts_.tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (shell_->changingPage()) return;
        if (const auto page = shell_->pageAt(index)) lifecycle_->pageControl1Change(*page);
    });

    // The one-second tick: the time of day in the status bar.
    auto* tick = new QTimer(this);
    connect(tick, &QTimer::timeout, this, [this] {
        shell_->showsystime(u16(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
    });
    tick->start(1000);

    created_ = lifecycle_->formCreate(programFolder_, systemLanguageId());
}

MainWindow::~MainWindow() {
    net_->setClient(nullptr);
    client_->setSoundSink({});
    // The client goes before the child widgets: the lobby lets go of it first.
    lobby_->detachFromClient();
}

QWidget* MainWindow::page(Page page) const {
    const auto found = parts_.pages.find(page);
    return found == parts_.pages.end() ? nullptr : found->second;
}

QAction* MainWindow::command(Command command) const {
    const auto found = parts_.commands.find(command);
    return found == parts_.commands.end() ? nullptr : found->second;
}

void MainWindow::addPage(Page page, QWidget* widget, const QString& caption) {
    parts_.pages[page] = widget;
    parts_.tabs->addTab(widget, caption);
}

void MainWindow::buildPages() {
    // "上網": the game-server list (shown once the community server sent it).
    auto* community = emptyPage(QStringLiteral("communityPage"));
    auto* welcome = new QLabel(QStringLiteral("Veld"), community);
    welcome->setAlignment(Qt::AlignCenter);
    QFont big = welcome->font();
    big.setPointSize(big.pointSize() * 2);
    welcome->setFont(big);
    parts_.serverList = new QListWidget(community);
    parts_.serverList->setObjectName(QStringLiteral("serverList"));
    parts_.serverList->setViewMode(QListView::IconMode);
    parts_.serverList->setIconSize(QSize(64, 64));
    parts_.serverList->setGridSize(QSize(140, 110));
    parts_.serverList->setMovement(QListView::Static);
    parts_.serverList->setWordWrap(true);
    parts_.serverList->setVisible(false);
    connect(parts_.serverList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        client_->gameServers().serverClicked(
            static_cast<std::size_t>(parts_.serverList->row(item)));
    });
    auto* communityLayout = new QVBoxLayout(community);
    communityLayout->addWidget(welcome);
    communityLayout->addWidget(parts_.serverList, 1);
    addPage(Page::Community, community, QStringLiteral("上網"));

    lobby_ = new LobbyPage(*client_);
    lobby_->setObjectName(QStringLiteral("lobbyPage"));
    setupMenu_->addMenu(lobby_->playWishMenu());
    lobby_->setEventSink([this](std::u16string_view text) {
        lifecycle_->addEvent(u"", u"", std::u16string(text), u"",
                             u16(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
    });
    addPage(Page::Lobby, lobby_, QStringLiteral("聚弈廳"));
    addPage(Page::GameRoom, emptyPage(QStringLiteral("gameRoomPage")), QStringLiteral("對局室"));
    addPage(Page::ObservationRoom, emptyPage(QStringLiteral("observationRoomPage")),
            QStringLiteral("觀戰室"));
    study_ = new StudyRoomPage(*client_, *shell_, *dialogs_, *sounds_, programFolder_,
                               [this](std::u16string_view text, std::string_view hint) {
                                   editor_->edit(text, hint);
                                   shell_->setPageVisible(Page::Edit, true);
                                   shell_->showPage(Page::Edit);
                               });
    study_->fillFileMenu(fileMenu_, codePagesMenu_);
    study_->fillSetupMenu(setupMenu_);
    addPage(Page::StudyRoom, study_, QStringLiteral("研究室"));
    lifecycle_->setRoomPageListener([this](Page page) {
        if (page == Page::StudyRoom) study_->pageShown();
    });

    // "主題區": the topic tree on the left, whose width the settings keep.
    auto* topics = emptyPage(QStringLiteral("topicsPage"));
    topicSplitter_ = new QSplitter(Qt::Horizontal, topics);
    auto* topicTree = new QTreeWidget(topicSplitter_);
    topicTree->setObjectName(QStringLiteral("topicTree"));
    topicTree->setHeaderHidden(true);
    new QWidget(topicSplitter_);
    auto* topicsLayout = new QVBoxLayout(topics);
    topicsLayout->setContentsMargins(0, 0, 0, 0);
    topicsLayout->addWidget(topicSplitter_);
    addPage(Page::Topics, topics, QStringLiteral("主題區"));

    addPage(Page::GameRecords, emptyPage(QStringLiteral("gameRecordsPage")),
            QStringLiteral("對局記錄"));
    addPage(Page::PlayerInfo, emptyPage(QStringLiteral("playerRecordsPage")),
            QStringLiteral("打譜記錄"));
    addPage(Page::WinRate, emptyPage(QStringLiteral("winRatePage")), QStringLiteral("勝率分析"));
    addPage(Page::PatternSearch, emptyPage(QStringLiteral("patternSearchPage")),
            QStringLiteral("棋形搜尋"));
    editor_ = new EditorPage([this](const std::string& hint, std::u16string_view text) {
        for (const NameList list : {NameList::games, NameList::players}) {
            if (hint == NameLists::hint(list)) return study_->nameLists().save(list, text);
        }
        return false;
    });
    editor_->setObjectName(QStringLiteral("editPage"));
    addPage(Page::Edit, editor_, QStringLiteral("編輯"));
    addPage(Page::Document, emptyPage(QStringLiteral("documentPage")), QString());
    addPage(Page::Vote, emptyPage(QStringLiteral("votePage")), QStringLiteral("投票區"));
    addPage(Page::Rulings, emptyPage(QStringLiteral("rulingsPage")), QStringLiteral("裁決記錄"));
    addPage(Page::BroadcastAdmin, emptyPage(QStringLiteral("broadcastAdminPage")),
            QStringLiteral("廣播管理"));

    auto* activity = emptyPage(QStringLiteral("activityPage"));
    parts_.activityLog = new QPlainTextEdit(activity);
    parts_.activityLog->setReadOnly(true);
    (new QVBoxLayout(activity))->addWidget(parts_.activityLog);
    addPage(Page::OnLineActivity, activity, QStringLiteral("On Line Activity"));

    // "事件" second to last, "說明" last.
    events_ = new EventPage(lifecycle_->events());
    events_->setObjectName(QStringLiteral("eventPage"));
    addPage(Page::Events, events_, QStringLiteral("事件"));
    connect(events_, &EventPage::hideRequested, this, [this] {
        shell_->setPageVisible(Page::Events, false);
        shell_->showPage(Page::Lobby);
    });
    connect(events_, &EventPage::rowDoubleClicked, this, [this](int row) {
        if (row >= 0) lifecycle_->eventDoubleClicked(static_cast<std::size_t>(row));
    });

    help_ = new QTextBrowser;
    help_->setObjectName(QStringLiteral("helpPage"));
    help_->setOpenExternalLinks(true);
    addPage(Page::Help, help_, QStringLiteral("說明"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(parts_.tabs, 1);
    parts_.status2 = new QLabel(central);
    parts_.status2->setObjectName(QStringLiteral("status2"));
    parts_.status2->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(parts_.status2);
    setCentralWidget(central);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto addMenu = [&](Command command, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        parts_.commands[command] = menu->menuAction();
        return menu;
    };

    // The study room fills the file menu; the code pages of its "開舊" are the language's.
    fileMenu_ = addMenu(Command::FileMenu, QStringLiteral("檔案"));
    auto* codePages = new QMenu(this);
    codePagesMenu_ = codePages;
    auto* codePageGroup = new QActionGroup(this);
    for (const CodePageEntry& entry : kCodePageEntries) {
        QAction* action = codePages->addAction(QString::fromUtf8(entry.caption));
        action->setCheckable(true);
        codePageGroup->addAction(action);
        parts_.openCodePages[entry.codePage] = action;
        const int codePage = entry.codePage;
        connect(action, &QAction::triggered, this, [this, codePage] {
            client_->language().fileCodePage = codePage;
            shell_->checkOpenCodePage(codePage);
        });
    }
    parts_.commands[Command::FileMenu]->setVisible(false);

    addMenu(Command::QueryMenu, QStringLiteral("查詢"));
    QMenu* setup = addMenu(Command::SetupMenu, QStringLiteral("設定"));
    setupMenu_ = setup;
    connect(setup->addAction(QStringLiteral("密碼")), &QAction::triggered, this,
            [this] { client_->login().changePassword(); });
    addMenu(Command::KeysMenu, QStringLiteral("快速鍵"));

    QMenu* window = bar->addMenu(QStringLiteral("視窗"));
    connect(window->addAction(QStringLiteral("視窗縮放")), &QAction::triggered, this,
            &MainWindow::toggleWindowSize);
    auto* cursors = new QActionGroup(this);
    QAction* arrow = window->addAction(QStringLiteral("箭形"));
    QAction* hand = window->addAction(QStringLiteral("手形"));
    for (QAction* action : {arrow, hand}) {
        action->setCheckable(true);
        cursors->addAction(action);
    }
    arrow->setChecked(true);
    connect(arrow, &QAction::triggered, this, [this] { setCursor(Qt::ArrowCursor); });
    connect(hand, &QAction::triggered, this, [this] { setCursor(Qt::PointingHandCursor); });
    window->addSeparator();
    connect(window->addAction(QStringLiteral("網站首頁")), &QAction::triggered, this,
            [this] { showHelp(QStringLiteral("home.html")); });
    connect(window->addAction(QStringLiteral("使用說明")), &QAction::triggered, this,
            [this] { showHelp(QStringLiteral("manual.html")); });

    QMenu* help = addMenu(Command::HelpMenu, QStringLiteral("說明"));
    connect(help->addAction(QStringLiteral("關於")), &QAction::triggered, this,
            [this] { showHelp(QStringLiteral("home.html")); });
}

void MainWindow::buildStatusBars() {
    QStatusBar* bar = statusBar();
    for (int i = 0; i < 4; ++i) {
        parts_.statusPanels[i] = new QLabel(bar);
        parts_.statusPanels[i]->setObjectName(QStringLiteral("statusPanel%1").arg(i + 1));
        parts_.statusPanels[i]->setMinimumWidth(i == 3 ? 200 : 80);
        bar->addWidget(parts_.statusPanels[i], i == 3 ? 1 : 0);
    }
}

void MainWindow::showHelp(const QString& file) {
    const auto path = programFolder_ / "doc" / file.toStdString();
    help_->setSource(QUrl::fromLocalFile(QString::fromStdString(path.string())));
    shell_->showPage(Page::Help);
}

void MainWindow::toggleWindowSize() {
    if (lifecycle_->toggleWindowSize()) {
        showMaximized();
        lobby_->setLeftPanelWidth(AppLifecycle::lobbyPanelWidthMaximized(width()));
        return;
    }
    showNormal();
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        resize(available.width() * 2 / 3, available.height() * 2 / 3);
    }
}

void MainWindow::applySetup() {
    if (const auto width = lifecycle_->topicTreeWidth()) {
        topicSplitter_->setSizes({*width, std::max(1, topicSplitter_->width() - *width)});
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!created_ || lifecycle_->activated()) return;
    // After the window is on screen, as its first activation.
    QTimer::singleShot(0, this, [this] {
        if (lifecycle_->activated() || terminated_) return;
        applySetup();
        lifecycle_->formActivate();
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (terminated_ || closing_) {
        event->accept();
        return;
    }
    // Records of the study room not saved would be lost without a word.
    if (const int unsaved = study_->unsavedRecords(); unsaved > 0) {
        const QString question =
            QStringLiteral("研究室有 %1 份棋譜尚未儲存，仍要關閉？").arg(unsaved);
        if (!dialogs_->confirm(u16(question))) {
            event->ignore();
            return;
        }
    }
    closing_ = true;
    const bool close = lifecycle_->formCloseQuery();
    closing_ = false;
    if (close) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (const auto width = lifecycle_->formResize(this->width(), height()))
        lobby_->setLeftPanelWidth(*width);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    const auto key = navKeyOf(event->key());
    if (!key) {
        QMainWindow::keyReleaseEvent(event);
        return;
    }
    const KeyPage page = shell_->isPageActive(Page::StudyRoom) ? KeyPage::studyRoom
                         : shell_->isPageActive(Page::Topics)  ? KeyPage::topics
                                                               : KeyPage::other;
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    // The topic page's record comes with the topics.
    if (const auto command = commandForKey(*key, ctrl, page); command && page == KeyPage::studyRoom)
        study_->navigate(*command);
    QMainWindow::keyReleaseEvent(event);
}

}  // namespace veld::desktop
