// The rooms that show game windows, and the windows open in each: the game room, the observation
// room and the study room list theirs on tabs; a few pages show one window without tabs. The
// model owns every open window and knows the one shown now (currentgobrowser).
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "go/go_browser.h"
#include "go/room_ports.h"
#include "protocol/ports.h"

namespace veld {

class TextTable;

enum class Room {
    game,           // "對局室", tabs
    observation,    // "觀戰室", tabs
    study,          // "研究室", tabs
    gameRecords,    // the game records page: one window, no tabs
    topics,         // the topic page's record tab: one window, no tabs
    patternSearch,  // the pattern search page: one window, no tabs
    gameMarks,      // the page of the user's game marks: one window, no tabs
};

// How a window comes to its tab, which decides what it shows first.
enum class TabKind {
    newIgame,  // a game the user plays
    obgame,    // a game the user watches
    newSGF,    // a new study record
    oldSGF,    // a record read from a file
    marksgf,   // a record shown for marking
    other,
};

// Tab images: the user may act, or waits.
inline constexpr int kTabIconActive = 3;
inline constexpr int kTabIconWaiting = 4;
// Images of the black and white rows of a room's player list.
inline constexpr int kBlackPlayerIcon = 73;
inline constexpr int kWhitePlayerIcon = 74;

class Rooms {
  public:
    // Called whenever a window becomes the one shown in its room (on its new tab, or when its tab
    // is chosen): the room's buttons follow its role and phase.
    using ShownListener = std::function<void(GoBrowser&, Room)>;

    explicit Rooms(Shell& shell, const TextTable& texts);
    explicit Rooms(Shell& shell);
    Rooms(const Rooms&) = delete;
    Rooms& operator=(const Rooms&) = delete;

    // The controls of a room. tabs is null for a room without tabs; page is the main window's
    // page that holds the room, if it has one. Rooms that were never attached show nothing.
    void attachRoom(Room room, RoomViews views, RoomTabs* tabs, std::optional<Page> page);
    void addShownListener(ShownListener listener);

    // The drawing settings every window of the rooms reads.
    DrawingSettings& drawing() { return drawing_; }
    // A new window that draws with these rooms' settings and texts.
    std::unique_ptr<GoBrowser> newWindow() const;

    // Puts a window that is in no room yet on a new tab of the room (or, in a room without tabs,
    // in place of the window it showed, which is closed) and shows it: the window shown there
    // before keeps its pane text and stops being shown; the new one becomes current; what it
    // shows first depends on kind.
    GoBrowser& createGoTab(std::unique_ptr<GoBrowser> window, std::u16string_view caption,
                           TabKind kind, Role role, Room room);
    // The user chose tab index of the room: that window is shown and becomes current.
    void selectTab(Room room, int index);
    // Takes the window out of its room (and its tab away) and hands it to the caller; null when
    // it is in no room. When it was the one shown, the room shows none until a tab is chosen.
    std::unique_ptr<GoBrowser> closeTab(const GoBrowser& window);
    // The page in front is now the room's: its shown window, if any, becomes current.
    void showRoom(Room room);

    // The window's index among the room's tabs; -1 when it is not there.
    int findTabIndex(const GoBrowser& window, Room room) const;
    // A new image for the window's tab, drawn at once in the game and observation rooms.
    void updateTabicon(GoBrowser& window, int icon);
    // A new caption for the window's tab; nothing when the window is on no tab.
    void setTabCaption(const GoBrowser& window, std::u16string_view caption);
    // The window shown now; null before any.
    GoBrowser* currentgobrowser() const { return current_; }

    int windowCount(Room room) const;
    GoBrowser* windowAt(Room room, int index) const;
    GoBrowser* shownWindow(Room room) const;
    std::optional<Room> roomOf(const GoBrowser& window) const;

  private:
    static constexpr std::size_t kRoomCount = 7;

    struct RoomState {
        RoomViews views;
        RoomTabs* tabs = nullptr;
        std::optional<Page> page;
        std::vector<std::unique_ptr<GoBrowser>> windows;  // in tab order
        GoBrowser* shown = nullptr;
    };

    static std::size_t index(Room room) { return static_cast<std::size_t>(room); }
    RoomState& state(Room room) { return rooms_[index(room)]; }
    const RoomState& state(Room room) const { return rooms_[index(room)]; }
    void leave(Room room);
    void show(GoBrowser& window, Room room);
    void refresh(GoBrowser& window);
    void notifyShown(GoBrowser& window, Room room);

    Shell& shell_;
    const TextTable& texts_;
    DrawingSettings drawing_;
    std::array<RoomState, kRoomCount> rooms_;
    GoBrowser* current_ = nullptr;
    std::vector<ShownListener> shownListeners_;
};

}  // namespace veld
