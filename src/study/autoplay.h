// Automatic replay: the play/stop commands, the step taken on the one-second tick, and the menus
// for the replay speed and for how many of the last moves carry numbers.
#pragma once

#include <array>

namespace veld {

class GoBrowser;
class Rooms;
class SettingsStore;
class StudyHooks;
class StudyMenus;

class Autoplay {
  public:
    static constexpr int kDefaultSpeed = 2;
    // The items of the speed menu in seconds, then "自訂"; the items of the move number menu,
    // then "自訂".
    static constexpr std::array<int, 7> kSpeedItems{1, 2, 3, 4, 5, 7, 9};
    static constexpr std::array<int, 7> kMoveNumberItems{0, 1, 2, 3, 4, 5, 9};
    static constexpr int kCustomItem = 7;

    // Reads "autoplayspeed" (2 when missing, not a number or below 1) and "shownodenumber" (0
    // when missing or not a number, at most 500) and marks the menus.
    Autoplay(Rooms& rooms, SettingsStore& settings, StudyHooks& hooks, StudyMenus& menus);

    int speed() const { return speed_; }

    // "播放/停止" of the study and teaching rooms, on the current window.
    void playStop();
    // "播放/停止" of the observation room: autoplay of the current window on or off, nothing else.
    void toggleObserved();
    // The one-second tick: while logged in, one gbautoplay for each autoplaying teaching board of
    // the game room, each autoplaying window of the observation room, and the study room's shown
    // window when it autoplays.
    void onTick();
    // One tick of a window's autoplay: a step forward when its countdown runs out, or at the end
    // of a line the next variation; at the end of the last one it stays at the root.
    void gbautoplay(GoBrowser& window);
    // While a node's voice plays, autoplay waits.
    void setPaused(bool paused) { paused_ = paused; }
    bool paused() const { return paused_; }

    // The speed in seconds (below 1 becomes 2), stored and marked; a "B" room window shown now
    // restarts its countdown with it.
    void setAutoplayspeed(int seconds);
    // How many of the last moves carry numbers (kept within 0..500), stored; the current window
    // is drawn again and a teacher's room follows.
    void setshownum(int n);
    // A menu item chosen; "自訂" asks for the number (cancel, empty or not a number: nothing).
    void chooseSpeedItem(int item);
    void chooseMoveNumberItem(int item);

    static int speedItemFor(int seconds);
    static int moveNumberItemFor(int n);

  private:
    Rooms& rooms_;
    SettingsStore& settings_;
    StudyHooks& hooks_;
    StudyMenus& menus_;
    int speed_ = kDefaultSpeed;
    bool paused_ = false;
};

}  // namespace veld
