#include "study/study_room_page.h"

#include <QActionGroup>
#include <QColorDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/text.h"
#include "board/board_widget.h"
#include "board/qt_printer.h"
#include "client/client.h"
#include "go/board_sets.h"
#include "protocol/codepage.h"
#include "sound/sound_effects.h"
#include "study/room_controls.h"
#include "study/study_dialogs.h"

namespace veld::desktop {

namespace {

constexpr int kRecordSizes[] = {19, 17, 15, 13, 11, 9, 7, 5};

struct ToolEntry {
    Tool tool;
    const char* caption;
};
constexpr ToolEntry kTools[] = {
    {Tool::play, "落子"}, {Tool::blackStone, "黑子"}, {Tool::whiteStone, "白子"},
    {Tool::mark, "標記"}, {Tool::erase, "刪除"},
};

struct NavButton {
    NavCommand command;
    const char* caption;
};
constexpr NavButton kNavBefore[] = {
    {NavCommand::first, "第一手"},
    {NavCommand::fastBackward, "快速後退"},
    {NavCommand::previous, "上一手"},
};
constexpr NavButton kNavAfter[] = {
    {NavCommand::next, "下一手"},
    {NavCommand::fastForward, "快速前進"},
    {NavCommand::last, "最後一手"},
};

struct SetEntry {
    BoardSet set;
    const char* caption;
};
constexpr SetEntry kSets[] = {
    {BoardSet::a, "A 榧木・石子"},        {BoardSet::b, "B 木紋・玻璃子"},
    {BoardSet::c, "C 深色木・玻璃子"},    {BoardSet::d, "D 竹色・石子"},
    {BoardSet::ownColour, "E 自選顏色…"},
};

QPushButton* button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setFocusPolicy(Qt::NoFocus);  // the arrow keys belong to the record
    return b;
}

}  // namespace

StudyRoomPage::StudyRoomPage(Client& client, Shell& shell, Dialogs& dialogs, SoundEffects& sounds,
                             std::filesystem::path programFolder,
                             std::function<void(std::u16string_view, std::string_view)> openEditor,
                             QWidget* parent)
    : QWidget(parent),
      client_(client),
      shell_(shell),
      dialogs_(dialogs),
      sounds_(sounds),
      programFolder_(std::move(programFolder)),
      settings_(client.settings()),
      rooms_(shell, client.texts()),
      lists_(programFolder_ / "doc", client.texts()),
      mouse_(*this, *this) {
    setObjectName(QStringLiteral("studyRoomPage"));
    lists_.load();
    fileDialogs_ = std::make_unique<QtStudyFileDialogs>(this, std::move(openEditor));
    files_ =
        std::make_unique<StudyFiles>(rooms_, *fileDialogs_, dialogs_, shell_, client_.language(),
                                     sounds_, lists_, client_.texts(), programFolder_);
    buildWidgets();
    applySetup();
    // The page is the hooks and the menus of autoplay (private bases: converted here).
    StudyHooks& hooks = *this;
    StudyMenus& menus = *this;
    autoplay_ = std::make_unique<Autoplay>(rooms_, settings_, hooks, menus);

    rooms_.attachRoom(Room::study,
                      RoomViews{&board_->image(), textPane_.get(), nullptr, playerPanel_.get(),
                                moveNumberPort_.get()},
                      tabs_.get(), Page::StudyRoom);
    rooms_.addShownListener([this](GoBrowser& window, Room room) {
        if (room != Room::study) return;
        if (!savedTexts_.contains(&window)) markSaved(window);
        chooseTool(window.tool);
    });

    // The one-second tick of autoplay.
    auto* tick = new QTimer(this);
    connect(tick, &QTimer::timeout, this, [this] { autoplay_->onTick(); });
    tick->start(1000);
}

StudyRoomPage::~StudyRoomPage() = default;

void StudyRoomPage::buildWidgets() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(buildToolBar());

    tabBar_ = new QTabBar(this);
    tabBar_->setObjectName(QStringLiteral("studyTabs"));
    tabBar_->setExpanding(false);
    tabBar_->setFocusPolicy(Qt::NoFocus);
    tabs_ = std::make_unique<QtRoomTabs>(
        tabBar_, [this](int index) { rooms_.selectTab(Room::study, index); });
    layout->addWidget(tabBar_);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    board_ = new BoardWidget(pictures_, look_, left);
    board_->setObjectName(QStringLiteral("studyBoard"));
    connect(board_, &BoardWidget::relaidOut, this, [this] {
        GoBrowser* shown = rooms_.shownWindow(Room::study);
        if (shown) {
            shown->redrawAll();
        } else {
            board_->image().setupBoard(19);
        }
    });
    connect(board_, &BoardWidget::pressed, this, &StudyRoomPage::boardPressed);
    leftLayout->addWidget(board_, 1);
    leftLayout->addWidget(buildNavigation());

    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    players_ = new QTreeWidget(right);
    players_->setObjectName(QStringLiteral("studyPlayers"));
    players_->setHeaderLabels({QStringLiteral("棋手"), QStringLiteral("棋力")});
    players_->setRootIsDecorated(false);
    players_->setFixedHeight(players_->fontMetrics().height() * 5);
    players_->setColumnWidth(0, 150);
    players_->header()->setStretchLastSection(true);
    playerPanel_ = std::make_unique<QtPlayerPanel>(players_);
    rightLayout->addWidget(players_);
    comments_ = new QTextEdit(right);
    comments_->setObjectName(QStringLiteral("studyComments"));
    comments_->setAcceptRichText(false);
    textPane_ = std::make_unique<QtTextPane>(comments_);
    rightLayout->addWidget(comments_, 1);

    right->setMinimumWidth(240);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
}

QWidget* StudyRoomPage::buildToolBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);

    auto* newRecord = new QToolButton(bar);
    newRecord->setText(QStringLiteral("開新棋譜"));
    newRecord->setPopupMode(QToolButton::InstantPopup);
    auto* sizes = new QMenu(newRecord);
    addSizeItems(sizes);
    newRecord->setMenu(sizes);
    row->addWidget(newRecord);

    auto addButton = [&](const char* caption, auto slot) {
        QPushButton* b = button(QString::fromUtf8(caption), bar);
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
        return b;
    };
    addButton("開舊棋譜", [this] { files_->openFiles(true); });
    addButton("儲存棋譜", [this] { saveRecord(); });
    addButton("棋譜內容", [this] { files_->recordInformation(); });

    auto* tools = new QToolButton(bar);
    tools->setText(QStringLiteral("工具"));
    tools->setPopupMode(QToolButton::InstantPopup);
    auto* toolMenu = new QMenu(tools);
    toolGroup_ = new QActionGroup(this);
    for (const ToolEntry& entry : kTools) {
        QAction* action = toolMenu->addAction(QString::fromUtf8(entry.caption));
        action->setCheckable(true);
        action->setData(static_cast<int>(entry.tool));
        toolGroup_->addAction(action);
        const Tool tool = entry.tool;
        connect(action, &QAction::triggered, this, [this, tool] { chooseTool(tool); });
    }
    tools->setMenu(toolMenu);
    row->addWidget(tools);
    addButton("關閉", [this] { closeRecord(); });
    row->addStretch(1);
    chooseTool(Tool::play);
    return bar;
}

QWidget* StudyRoomPage::buildNavigation() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const NavButton& entry) {
        QPushButton* b = button(QString::fromUtf8(entry.caption), bar);
        const NavCommand command = entry.command;
        connect(b, &QPushButton::clicked, this, [this, command] { navigate(command); });
        row->addWidget(b);
    };
    for (const NavButton& entry : kNavBefore) add(entry);
    moveNumber_ = button(QString(), bar);
    moveNumber_->setObjectName(QStringLiteral("moveNumberButton"));
    moveNumber_->setToolTip(QStringLiteral("目前手數"));
    moveNumber_->setMinimumWidth(60);
    connect(moveNumber_, &QPushButton::clicked, this,
            [this] { navigate(NavCommand::switchVariation); });
    moveNumberPort_ = std::make_unique<QtMoveNumberButton>(moveNumber_);
    row->addWidget(moveNumber_);
    for (const NavButton& entry : kNavAfter) add(entry);
    QPushButton* play = button(QStringLiteral("播放/停止"), bar);
    play->setObjectName(QStringLiteral("playStopButton"));
    connect(play, &QPushButton::clicked, this, [this] { autoplay_->playStop(); });
    row->addWidget(play);
    return bar;
}

// "開新" with the sizes, in the file menu and below the button "開新棋譜".
void StudyRoomPage::addSizeItems(QMenu* menu) {
    for (const int size : kRecordSizes) {
        connect(menu->addAction(QStringLiteral("%1x%1").arg(size)), &QAction::triggered, this,
                [this, size] { files_->newRecord(size); });
    }
}

void StudyRoomPage::saveRecord() {
    if (files_->save(SgfWriteMode::WithVoice)) markCurrentSaved();
}

void StudyRoomPage::markCurrentSaved() {
    if (GoBrowser* window = rooms_.currentgobrowser()) markSaved(*window);
}

void StudyRoomPage::fillFileMenu(QMenu* file, QMenu* codePages) {
    addSizeItems(file->addMenu(QStringLiteral("開新")));
    QMenu* open = file->addMenu(QStringLiteral("開舊"));
    connect(open->addAction(QStringLiteral("開舊")), &QAction::triggered, this,
            [this] { files_->openFiles(false); });
    codePages->setTitle(QStringLiteral("檔案編碼"));
    open->addMenu(codePages);
    connect(file->addAction(QStringLiteral("存檔")), &QAction::triggered, this,
            &StudyRoomPage::saveRecord);
    QAction* plain = file->addAction(QStringLiteral("存簡"));
    plain->setVisible(false);
    connect(plain, &QAction::triggered, this,
            [this] { files_->save(SgfWriteMode::WithoutComments); });
    connect(file->addAction(QStringLiteral("另存")), &QAction::triggered, this, [this] {
        if (files_->saveAs()) markCurrentSaved();
    });
    connect(file->addAction(QStringLiteral("內容")), &QAction::triggered, this,
            [this] { files_->recordInformation(); });
    connect(file->addAction(QStringLiteral("擷取棋形")), &QAction::triggered, this,
            [this] { files_->takePosition(); });
    file->addSeparator();

    QMenu* printing = file->addMenu(QStringLiteral("列印"));
    auto addPrint = [&](const char* caption, std::function<bool(const GoBrowser&, Printer&)> run) {
        connect(printing->addAction(QString::fromUtf8(caption)), &QAction::triggered, this,
                [this, run] {
                    const GoBrowser* window = rooms_.currentgobrowser();
                    if (!window) return;
                    print([window, run](Printer& printer) { return run(*window, printer); });
                });
    };
    addPrint("全譜", [this](const GoBrowser& w, Printer& p) {
        return printRecord(printSource(w), p, dialogs_);
    });
    addPrint("棋形", [this](const GoBrowser& w, Printer& p) {
        return printPosition(printSource(w), w.board(), p, dialogs_);
    });
    addPrint("每分譜50手", [this](const GoBrowser& w, Printer& p) {
        return printDiagrams(printSource(w), 50, p, dialogs_);
    });
    addPrint("每分譜30手", [this](const GoBrowser& w, Printer& p) {
        return printDiagrams(printSource(w), 30, p, dialogs_);
    });
}

QMenu* StudyRoomPage::numberMenu(const QString& caption, const std::array<int, 7>& values,
                                 const QString& unit, QActionGroup*& group,
                                 const std::function<void(int)>& choose) {
    auto* menu = new QMenu(caption, this);
    group = new QActionGroup(this);
    for (std::size_t i = 0; i <= values.size(); ++i) {
        const bool custom = i == values.size();
        QAction* action =
            menu->addAction(custom ? QStringLiteral("自訂") : QString::number(values[i]) + unit);
        action->setCheckable(true);
        group->addAction(action);
        const int item = static_cast<int>(i);
        connect(action, &QAction::triggered, this, [choose, item] { choose(item); });
    }
    return menu;
}

void StudyRoomPage::fillSetupMenu(QMenu* setup) {
    soundAction_ = setup->addAction(QStringLiteral("落子聲音"));
    soundAction_->setCheckable(true);
    soundAction_->setChecked(sounds_.soundOn());
    connect(soundAction_, &QAction::triggered, this,
            [this](bool checked) { sounds_.setSoundOn(checked); });

    setup->addMenu(numberMenu(QStringLiteral("播放速度"), Autoplay::kSpeedItems,
                              QStringLiteral("秒"), speedGroup_,
                              [this](int item) { autoplay_->chooseSpeedItem(item); }));
    setup->addMenu(numberMenu(qs(client_.texts().uiText(40)), Autoplay::kMoveNumberItems, QString(),
                              numberGroup_,
                              [this](int item) { autoplay_->chooseMoveNumberItem(item); }));
    // The menus exist now: mark what the settings say.
    checkSpeedItem(Autoplay::speedItemFor(autoplay_->speed()));
    checkMoveNumberItem(Autoplay::moveNumberItemFor(rooms_.drawing().shownodenumber));

    QMenu* sets = setup->addMenu(qs(client_.texts().uiText(28)));
    auto* setGroup = new QActionGroup(this);
    for (const SetEntry& entry : kSets) {
        QAction* action = sets->addAction(QString::fromUtf8(entry.caption));
        action->setCheckable(true);
        action->setChecked(entry.set == set_);
        setGroup->addAction(action);
        const BoardSet set = entry.set;
        connect(action, &QAction::triggered, this, [this, set] { chooseBoardSet(set); });
    }

    QMenu* cross = setup->addMenu(qs(client_.texts().uiText(189)));
    auto* crossGroup = new QActionGroup(this);
    for (const auto& [colour, caption] :
         {std::pair{CrossColour::red, "紅色"}, std::pair{CrossColour::contrast, "黑白對比"}}) {
        QAction* action = cross->addAction(QString::fromUtf8(caption));
        action->setCheckable(true);
        action->setChecked(look_.cross == colour);
        crossGroup->addAction(action);
        const CrossColour chosen = colour;
        connect(action, &QAction::triggered, this, [this, chosen] {
            look_.cross = chosen;
            settings_.writeString("gocrosscolor", chosen == CrossColour::red ? "R" : "N");
            lookChanged();
        });
    }

    QAction* coordinates = setup->addAction(qs(client_.texts().uiText(34)));
    coordinates->setCheckable(true);
    coordinates->setChecked(look_.coordinates);
    connect(coordinates, &QAction::triggered, this, [this](bool checked) {
        look_.coordinates = checked;
        settings_.writeString("boardindex", checked ? "1" : "0");
        lookChanged();
    });
}

// The board settings of the store, as the program starts.
void StudyRoomPage::applySetup() {
    look_ = BoardLook::fromSettings(settings_);
    set_ = boardSetAtStartup(settings_.readString("boardcolor"));
    useBoardSet(pictures_, set_);
}

void StudyRoomPage::lookChanged() {
    if (GoBrowser* shown = rooms_.shownWindow(Room::study)) {
        shown->redrawAll();
    } else {
        board_->image().setupBoard(19);
    }
}

void StudyRoomPage::chooseBoardSet(BoardSet set) {
    if (set == BoardSet::ownColour) {
        const QColor colour = QColorDialog::getColor(QColor(0xDC, 0xB3, 0x5C), this);
        if (!colour.isValid()) return;
        pictures_.usePlainColour(static_cast<Rgb>(colour.rgb() & 0xFFFFFF));
    } else {
        useBoardSet(pictures_, set);
    }
    set_ = set;
    settings_.writeString("boardcolor", boardSetLetter(set));
    lookChanged();
}

void StudyRoomPage::chooseTool(Tool tool) {
    if (GoBrowser* window = rooms_.shownWindow(Room::study)) window->tool = tool;
    for (QAction* action : toolGroup_->actions())
        action->setChecked(action->data().toInt() == static_cast<int>(tool));
}

void StudyRoomPage::pageShown() {
    rooms_.showRoom(Room::study);
    files_->studyRoomShown();
}

void StudyRoomPage::navigate(NavCommand command) {
    ::veld::navigate(rooms_.shownWindow(Room::study), command, *this);
}

void StudyRoomPage::boardPressed(PixelPoint at, MouseButton button) {
    mouse_.mouseDown(rooms_.shownWindow(Room::study), Room::study, board_->geometry(), button, at);
}

void StudyRoomPage::markSaved(GoBrowser& window) {
    savedTexts_[&window] = window.recordText(SgfWriteMode::WithVoice);
}

bool StudyRoomPage::changedSinceSaved(GoBrowser& window) {
    window.saveCommentEdit();
    const auto found = savedTexts_.find(&window);
    return found == savedTexts_.end() ||
           found->second != window.recordText(SgfWriteMode::WithVoice);
}

int StudyRoomPage::unsavedRecords() {
    int count = 0;
    for (int i = 0; i < rooms_.windowCount(Room::study); ++i)
        if (changedSinceSaved(*rooms_.windowAt(Room::study, i))) ++count;
    return count;
}

void StudyRoomPage::closeRecord() {
    GoBrowser* window = rooms_.shownWindow(Room::study);
    if (!window) return;
    if (changedSinceSaved(*window) && dialogs_.confirm(u"棋譜已修改，要先儲存嗎？")) {
        if (!files_->save(SgfWriteMode::WithVoice)) return;  // not saved: keep it open
    }
    const int index = rooms_.findTabIndex(*window, Room::study);
    savedTexts_.erase(window);
    std::unique_ptr<GoBrowser> closed = rooms_.closeTab(*window);
    const int count = rooms_.windowCount(Room::study);
    if (count > 0) {
        rooms_.selectTab(Room::study, std::min(index, count - 1));
        tabs_->selectTab(std::min(index, count - 1));
    } else {
        board_->image().setupBoard(19);
        textPane_->clear();
        moveNumber_->setText(QString());
        players_->clear();
    }
}

void StudyRoomPage::print(const std::function<bool(Printer&)>& command) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QtPrinter port(printer);
    command(port);
}

// ----- StudyHooks -----

bool StudyRoomPage::loggedIn() const {
    return client_.gameServers().onLine();
}

void StudyRoomPage::sendToServer(std::string_view text) {
    client_.sendToServer(text);
}

void StudyRoomPage::playStoneSound() {
    sounds_.playstoneClickSound();
}

// Voice recordings of nodes come with the voice recorder; records without voice play nothing.
void StudyRoomPage::playVoice(const Node&) {}
void StudyRoomPage::stopVoicePlayer() {}
void StudyRoomPage::stopVoiceRecorder() {}

// The teaching room is not among the rooms yet: no window of this page is a teacher's.
void StudyRoomPage::setTeachingAutoplay(GoBrowser&, bool) {}
void StudyRoomPage::endMultiRecordMode() {}
bool StudyRoomPage::loadNextRecord(GoBrowser&) {
    return false;
}
GoBrowser* StudyRoomPage::teachingRoomWindow() {
    return nullptr;
}

// ----- StudyMenus -----

std::optional<std::u16string> StudyRoomPage::askNumber() {
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, QStringLiteral("Input Number"), qs(client_.texts().uiText(344)),
                              QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return u16(text);
}

// Autoplay marks its menus before they exist (when it is made); they are marked again once made.
void StudyRoomPage::checkItem(QActionGroup* group, int item) {
    if (!group) return;
    const auto actions = group->actions();
    if (item >= 0 && item < actions.size()) actions[item]->setChecked(true);
}

void StudyRoomPage::checkSpeedItem(int item) {
    checkItem(speedGroup_, item);
}

void StudyRoomPage::checkMoveNumberItem(int item) {
    checkItem(numberGroup_, item);
}

// ----- BoardMouseHost -----

void StudyRoomPage::playClickSound() {
    sounds_.playstoneClickSound();
}

// Only study windows live in this room; the on-line windows' menu belongs to the game rooms.
void StudyRoomPage::showGameMenu(GoBrowser&, PixelPoint, std::span<const std::u16string>) {}

void StudyRoomPage::showStudyMenu(GoBrowser& window, PixelPoint at) {
    if (!studyMenu_) {
        studyMenu_ = new QMenu(this);
        studyMenu_->setObjectName(QStringLiteral("studyMenu"));
    }
    studyMenu_->clear();
    for (const StudyMenuItem item : kStudyMenuItems) {
        connect(studyMenu_->addAction(qs(studyMenuCaption(item))), &QAction::triggered, this,
                [this, &window, item] {
                    if (rooms_.shownWindow(Room::study) == &window)
                        runStudyMenuItem(window, item, dialogs_);
                });
    }
    const qreal ratio = board_->devicePixelRatioF();
    const QPoint local(static_cast<int>(at.x / ratio), static_cast<int>(at.y / ratio));
    studyMenu_->popup(board_->mapToGlobal(local));
}

ByoYomiTerms StudyRoomPage::byoYomi(const GoBrowser&) const {
    return {};
}

std::u16string StudyRoomPage::ownName() const {
    return big5ToWide(client_.myRecord().name);
}

void StudyRoomPage::stopCountdown(GoBrowser&) {}
void StudyRoomPage::setPassEnabled(GoBrowser&, bool) {}

void StudyRoomPage::setTabIcon(GoBrowser& window, int icon) {
    rooms_.updateTabicon(window, icon);
}

// ----- BoardSender -----

void StudyRoomPage::sendToOpponent(const GoBrowser&, std::string_view) {}
void StudyRoomPage::teachBroadcast(GoBrowser&, std::string_view) {}

}  // namespace veld::desktop
