// The narrow ports through which the core reaches everything visible or external.
// The desktop implements them with Qt; the tests implement them with recording fakes.
#pragma once

#include <charconv>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace veld {

// The two long-lived stream connections of the client.
enum class Link { Game, Community };

// Why a link failed, as Client::onError is told.
enum class NetError {
    // Connecting failed, or the established connection broke.
    Connection,
    // The host name given to Net::open could not be resolved; nothing was tried.
    HostNotFound,
};

// Stream connections. Events travel the other way: the owner of the core calls
// Client::onConnected / onData / onError / onDisconnected, and only for the connection opened
// last on the link. The peer closing the connection is a disconnect, not an error; an error ends
// the connection and no disconnect follows it. Closing a link (close, or open replacing a
// connection) reports nothing: the core knows what it closed.
class Net {
  public:
    virtual ~Net() = default;
    // Starts connecting (asynchronously); an earlier connection on the link is closed first.
    // `host` is a host name, resolved here (the first address found is used), or a numeric IPv4
    // or IPv6 address. A failed lookup is reported as NetError::HostNotFound.
    virtual void open(Link link, const std::string& host, std::uint16_t port) = 0;
    virtual bool isConnected(Link link) const = 0;
    // Queues the bytes on a connected link. The core never sends on a link that is not connected.
    virtual void send(Link link, std::string_view bytes) = 0;
    // Closes the link, also one still connecting; a closed link stays closed.
    virtual void close(Link link) = 0;
};

// The contents of the login dialog "登入": filled by the core before the dialog opens, read back
// after OK. The core converts the texts to code page 950; characters that code page cannot hold
// are lost.
struct LoginDialogModel {
    // The edits accept at most this many characters.
    static constexpr int kMaxNameChars = 10;
    static constexpr int kMaxPasswordChars = 10;

    std::u16string name;      // "暱名"
    std::u16string password;  // "密碼", shown masked
    bool remember = false;    // "保存": keep the password in the settings
};

// The contents of the password-change dialog "改變密碼" (all three edits masked). The dialog may
// be shown again with the same model after a refusal, so what was typed stays.
struct PasswordDialogModel {
    std::u16string oldPassword;
    std::u16string newPassword;
    std::u16string newPasswordAgain;
};

// Modal boxes. Each call returns when the user has closed the box; socket events may be
// delivered to the core while a box is open.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Warning box with a single Yes button.
    virtual void showWarning(std::u16string_view text) = 0;
    // Information box with a single Yes button.
    virtual void showInformation(std::u16string_view text) = 0;
    // Confirmation box with Yes and No; true for Yes.
    virtual bool confirm(std::u16string_view text) = 0;
    // Plain message box without an icon.
    virtual void showMessage(std::u16string_view text) = 0;
    // The modal login dialog "登入" (stays on top, centred on the screen; Enter in the name moves
    // to the password, Enter elsewhere is OK). False for Cancel; the model then holds nothing new.
    virtual bool showLogin(LoginDialogModel& model) = 0;
    // The modal password-change dialog "改變密碼". False for Cancel.
    virtual bool showPasswordChange(PasswordDialogModel& model) = 0;
};

// Pages of the main window that the core brings forward, shows, hides or fills.
enum class Page {
    OnLineActivity,   // "On Line Activity"
    Community,        // "上網": the login page, captioned "社群" while on line
    Lobby,            // "聚弈廳"
    Edit,             // "編輯"
    Topics,           // "主題區"
    WinRate,          // "勝率分析"
    GameRecords,      // "對局記錄"
    PlayerInfo,       // the player-information page
    Document,         // the document page
    GameRoom,         // "對局室"
    StudyRoom,        // "研究室"
    PatternSearch,    // "棋形搜尋"
    ObservationRoom,  // "觀戰室"
    Vote,             // "投票區"
    Rulings,          // "裁決記錄"
    BroadcastAdmin,   // "廣播管理"
    Events,           // "事件": the event list
    Help,             // "說明": the help page
};

// Menus and menu entries that the core shows, hides, enables or disables.
enum class Command {
    FileMenu,    // the menu "檔案"
    LobbyMenus,  // the lobby's menu entries, shown only while on line
    SelfRank,    // "自報棋力"
    QueryMenu,   // the menu "查詢"
    SetupMenu,   // the menu "設定"
    KeysMenu,    // the menu "快速鍵"
    HelpMenu,    // the menu "說明"
};

// One item of the game-server list view (an icon view above the lobby).
struct ServerListItem {
    int image = 0;  // image index: the 0-based position in the list
    std::u16string caption;
};

// The main window as the core sees it: captions, pages, menus and the application's life.
class Shell {
  public:
    virtual ~Shell() = default;
    virtual void setMainCaption(std::u16string_view text) = 0;
    virtual void setApplicationTitle(std::u16string_view text) = 0;
    virtual void setFileMenuCaption(std::u16string_view text) = 0;
    virtual void setStatusBarFont(std::u16string_view family) = 0;
    // Checks the entry of the file-open code-page menu for this code page, unchecks the others.
    virtual void checkOpenCodePage(int codePage) = 0;
    virtual void setBroadcastWindowWidth(int pixels) = 0;
    virtual void showPage(Page page) = 0;
    // The read-only memo of the on-line activity page.
    virtual void clearActivityLog() = 0;
    virtual void appendActivityLine(std::u16string_view line) = 0;
    // Ends the application once the current event has been handled.
    virtual void terminate() = 0;

    // Shows or hides a page's tab.
    virtual void setPageVisible(Page page, bool visible) = 0;
    // True when the page is the one in front.
    virtual bool isPageActive(Page page) const = 0;
    virtual void setPageCaption(Page page, std::u16string_view caption) = 0;
    // The small picture on a page's tab: an index of the shared image list, or -1 for none.
    virtual void setPageImage(Page page, int image) = 0;
    virtual void setCommandVisible(Command command, bool visible) = 0;
    virtual void setCommandEnabled(Command command, bool enabled) = 0;

    // The game-server list view: its items (replacing all earlier ones; item i stands for entry
    // i, which the desktop passes back on a click), whether it is shown, whether it takes
    // clicks, and dropping its selection.
    virtual void setServerList(std::span<const ServerListItem> items) = 0;
    virtual void setServerListVisible(bool visible) = 0;
    virtual void setServerListEnabled(bool enabled) = 0;
    virtual void clearServerListSelection() = 0;

    // The embedded web views of the on-line pages load nothing while offline.
    virtual void setWebViewsOffline(bool offline) = 0;
    virtual void maximizeMainWindow() = 0;
    // The system's short alert sound.
    virtual void beep() = 0;

    // Status bars; empty text clears the panel. showStatus: the fourth panel of the main status
    // bar; showStatus2: the first panel of the second status bar; showsystime: the first panel of
    // the main status bar (the time of day).
    virtual void showStatus(std::u16string_view text) = 0;
    virtual void showStatus2(std::u16string_view text) = 0;
    virtual void showsystime(std::u16string_view text) = 0;
    // Empties the first three panels of the main status bar.
    virtual void clearMainStatusPanels() = 0;
};

// The per-user settings under the key \software\Veld. Values are 8-bit text (code page 950 where
// they hold names) and must come back byte for byte.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // Empty when the value is absent or cannot be read.
    virtual std::string readString(std::string_view name) const = 0;
    // A failing write is ignored.
    virtual void writeString(std::string_view name, std::string_view value) = 0;
    // The value as a decimal number; 0 when absent, unreadable or not a number.
    virtual int readInt(std::string_view name) const {
        const std::string text = readString(name);
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        return error == std::errc() && end == text.data() + text.size() ? value : 0;
    }
    virtual void writeInt(std::string_view name, int value) {
        writeString(name, std::to_string(value));
    }
};

}  // namespace veld
