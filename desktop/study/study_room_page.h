// The study room "研究室": record windows on tabs over one board picture, the comment pane, the
// player list, the navigation buttons and autoplay, the file commands, printing, and the board
// and sound settings of the menu "設定". The rooms model behind it (Rooms) is the one every room
// with a board attaches to.
#pragma once

#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "go/board_look.h"
#include "go/board_mouse.h"
#include "go/print_layouts.h"
#include "go/rooms.h"
#include "study/autoplay.h"
#include "study/name_lists.h"
#include "study/navigation.h"
#include "study/study_files.h"
#include "study/study_hooks.h"
#include "study/study_menu.h"

class QAction;
class QActionGroup;
class QMenu;
class QPushButton;
class QTabBar;
class QTextEdit;
class QTreeWidget;

namespace veld {
class Client;
class SoundEffects;
}  // namespace veld

namespace veld::desktop {

class BoardWidget;
class QtMoveNumberButton;
class QtPlayerPanel;
class QtRoomTabs;
class QtStudyFileDialogs;
class QtTextPane;

class StudyRoomPage final : public QWidget,
                            private StudyHooks,
                            private StudyMenus,
                            private BoardMouseHost,
                            private BoardSender {
    Q_OBJECT
  public:
    // `openEditor` shows the editor page with a list to edit (the record information dialog's
    // "編輯" items).
    StudyRoomPage(Client& client, Shell& shell, Dialogs& dialogs, SoundEffects& sounds,
                  std::filesystem::path programFolder,
                  std::function<void(std::u16string_view, std::string_view)> openEditor,
                  QWidget* parent = nullptr);
    ~StudyRoomPage() override;

    // The file menu's commands: "開新" with the sizes, "開舊" (open, and the code-page submenu
    // handed in), "存檔", "存簡" (hidden), "另存", "內容", "擷取棋形", "列印".
    void fillFileMenu(QMenu* file, QMenu* codePages);
    // The setup menu's board and sound entries: "落子聲音", "播放速度", "手順顯示", "棋盤材質",
    // "棋子十字標示顏色", "棋盤座標".
    void fillSetupMenu(QMenu* setup);

    // The page came to the front: its shown window becomes current; with none, a new board.
    void pageShown();
    // A navigation button or key on this page.
    void navigate(NavCommand command);

    Rooms& rooms() { return rooms_; }
    StudyFiles& files() { return *files_; }
    NameLists& nameLists() { return lists_; }
    Autoplay& autoplay() { return *autoplay_; }
    BoardWidget* board() const { return board_; }
    QTabBar* tabBar() const { return tabBar_; }
    QTextEdit* commentPane() const { return comments_; }
    QTreeWidget* playerList() const { return players_; }
    QPushButton* moveNumberButton() const { return moveNumber_; }
    QAction* soundAction() const { return soundAction_; }
    // The study menu of the board picture, as it opened last (for tests: it is not modal).
    QMenu* studyMenu() const { return studyMenu_; }

    // The tools of a board click: "落子", "黑子", "白子", "標記", "刪除".
    void chooseTool(Tool tool);
    // "關閉": closes the shown record, asking first to save one that was changed.
    void closeRecord();
    // The records changed since they were opened or saved last.
    int unsavedRecords();
    // The board pictures of a set; the own colour ("E") asks for the colour first.
    void chooseBoardSet(BoardSet set);
    // Prints with the command on a printer the user picks (a PDF file among them).
    void print(const std::function<bool(Printer&)>& command);

  private:
    // StudyHooks
    bool loggedIn() const override;
    void sendToServer(std::string_view text) override;
    void playStoneSound() override;
    void playVoice(const Node& node) override;
    void stopVoicePlayer() override;
    void stopVoiceRecorder() override;
    void setTeachingAutoplay(GoBrowser& window, bool on) override;
    void endMultiRecordMode() override;
    bool loadNextRecord(GoBrowser& window) override;
    GoBrowser* teachingRoomWindow() override;
    // StudyMenus
    std::optional<std::u16string> askNumber() override;
    void checkSpeedItem(int item) override;
    void checkMoveNumberItem(int item) override;
    // BoardMouseHost
    void playClickSound() override;
    void showGameMenu(GoBrowser& window, PixelPoint at,
                      std::span<const std::u16string> information) override;
    void showStudyMenu(GoBrowser& window, PixelPoint at) override;
    ByoYomiTerms byoYomi(const GoBrowser& window) const override;
    std::u16string ownName() const override;
    void stopCountdown(GoBrowser& window) override;
    void setPassEnabled(GoBrowser& window, bool enabled) override;
    void setTabIcon(GoBrowser& window, int icon) override;
    // BoardSender
    void sendToOpponent(const GoBrowser& window, std::string_view body) override;
    void teachBroadcast(GoBrowser& window, std::string_view command) override;

    void buildWidgets();
    QWidget* buildToolBar();
    QWidget* buildNavigation();
    void applySetup();
    void boardPressed(PixelPoint at, MouseButton button);
    void lookChanged();
    QMenu* numberMenu(const QString& caption, const std::array<int, 7>& values, const QString& unit,
                      QActionGroup*& group, const std::function<void(int)>& choose);
    void addSizeItems(QMenu* menu);
    // "存檔" / "儲存棋譜": a saved record counts as unchanged from now on.
    void saveRecord();
    void markCurrentSaved();
    static void checkItem(QActionGroup* group, int item);
    // The text the window's record had when it was opened or saved last.
    void markSaved(GoBrowser& window);
    bool changedSinceSaved(GoBrowser& window);

    Client& client_;
    Shell& shell_;
    Dialogs& dialogs_;
    SoundEffects& sounds_;
    std::filesystem::path programFolder_;
    SettingsStore& settings_;

    BoardPictures pictures_;
    BoardLook look_;
    BoardSet set_ = BoardSet::b;
    Rooms rooms_;
    NameLists lists_;
    std::unique_ptr<QtStudyFileDialogs> fileDialogs_;
    std::unique_ptr<StudyFiles> files_;
    std::unique_ptr<Autoplay> autoplay_;
    BoardMouse mouse_;

    BoardWidget* board_ = nullptr;
    QTabBar* tabBar_ = nullptr;
    QTextEdit* comments_ = nullptr;
    QTreeWidget* players_ = nullptr;
    QPushButton* moveNumber_ = nullptr;
    QMenu* studyMenu_ = nullptr;
    QAction* soundAction_ = nullptr;
    QActionGroup* speedGroup_ = nullptr;
    QActionGroup* numberGroup_ = nullptr;
    QActionGroup* toolGroup_ = nullptr;
    std::unique_ptr<QtTextPane> textPane_;
    std::unique_ptr<QtPlayerPanel> playerPanel_;
    std::unique_ptr<QtMoveNumberButton> moveNumberPort_;
    std::unique_ptr<QtRoomTabs> tabs_;
    // The record text of each window when it was opened or saved last.
    std::map<const GoBrowser*, std::string> savedTexts_;
};

}  // namespace veld::desktop
