// A mouse button pressed on a room's board picture: the right button opens the window's menu,
// the left button becomes a board click of the window shown now (a move, an edit, a dead-stone
// mark) and, in an on-line window, the message that tells the server or the other player.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "go/board_geometry.h"
#include "go/go_browser.h"
#include "go/rooms.h"

namespace veld {

enum class MouseButton : std::uint8_t { left, right, other };

// The byo-yomi terms of an on-line game, shown in its menu.
struct ByoYomiTerms {
    int periodSeconds = 0;
    int periodCount = 0;
};

// What a board click reaches outside the game window: sounds, menus, the room's buttons and tabs.
class BoardMouseHost {
  public:
    virtual ~BoardMouseHost() = default;
    // The click sound of a left button on a board.
    virtual void playClickSound() = 0;
    // The menu of an on-line window at the pixel of the picture: the information lines first,
    // then the entries for the players' messages and for swapping the board's sides.
    virtual void showGameMenu(GoBrowser& window, PixelPoint at,
                              std::span<const std::u16string> information) = 0;
    // The study menu of a study window at the pixel of the picture.
    virtual void showStudyMenu(GoBrowser& window, PixelPoint at) = 0;
    virtual ByoYomiTerms byoYomi(const GoBrowser& window) const = 0;
    // The user's own name, as the game notices show it.
    virtual std::u16string ownName() const = 0;
    // The countdown of counting after passes stops.
    virtual void stopCountdown(GoBrowser& window) = 0;
    // The game room's pass button "虛手".
    virtual void setPassEnabled(GoBrowser& window, bool enabled) = 0;
    // The image of the window's tab (Rooms::updateTabicon).
    virtual void setTabIcon(GoBrowser& window, int icon) = 0;
};

// Where the messages of board clicks go.
class BoardSender {
  public:
    virtual ~BoardSender() = default;
    // To the game server (Client::sendToServer).
    virtual void sendToServer(std::string_view text) = 0;
    // To the other player of the window's game through the game server: ptop (the opponent's
    // id, the user's own id, body).
    virtual void sendToOpponent(const GoBrowser& window, std::string_view body) = 0;
    // A board command of a teaching room, to the room's pupils.
    virtual void teachBroadcast(GoBrowser& window, std::string_view command) = 0;
};

// The context menu of an on-line window holds this many lines of information.
inline constexpr int kGameMenuInformationLines = 7;
// It opens this many pixels below the click.
inline constexpr int kGameMenuDrop = 40;

class BoardMouse {
  public:
    // host and sender must outlive the dispatcher.
    BoardMouse(BoardMouseHost& host, BoardSender& sender) : host_(host), sender_(sender) {}

    // A button pressed at the pixel of the board picture whose geometry is given, on the page
    // page. window is the window shown now (null when there is none).
    void mouseDown(GoBrowser* window, Room page, const BoardGeometry& geometry, MouseButton button,
                   PixelPoint at);

    // The information lines of an on-line window's menu: stones captured from black and from
    // white, result, byo-yomi seconds and periods, handicap, komi.
    static std::vector<std::u16string> gameMenuInformation(const GoBrowser& window,
                                                           ByoYomiTerms terms);

  private:
    void rightButton(GoBrowser& window, Room page, PixelPoint at);
    void leftButton(GoBrowser& window, const BoardGeometry& geometry, PixelPoint at);
    void sendClick(GoBrowser& window, const std::string& text);

    BoardMouseHost& host_;
    BoardSender& sender_;
};

}  // namespace veld
