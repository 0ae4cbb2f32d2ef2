// What navigation and automatic replay reach outside the core: the game server, sounds and
// voice, the teaching room's own state, the menus and the number input dialog.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veld {

struct Node;
class GoBrowser;

class StudyHooks {
  public:
    virtual ~StudyHooks() = default;
    // The user is logged in to a game server.
    virtual bool loggedIn() const = 0;
    virtual void sendToServer(std::string_view text) = 0;

    // The stone click sound.
    virtual void playStoneSound() = 0;
    // Plays the voice recording of the node, if it has one.
    virtual void playVoice(const Node& node) = 0;
    virtual void stopVoicePlayer() = 0;
    virtual void stopVoiceRecorder() = 0;

    // The teaching room: its autoplay flag on the teacher's window, the mode that replays the
    // study room's records one after another, and the teacher's own open room window.
    virtual void setTeachingAutoplay(GoBrowser& window, bool on) = 0;
    virtual void endMultiRecordMode() = 0;
    // In the multi-record mode: loads the next record of the study room into the window and
    // sends it to the pupils, true. Otherwise nothing, false.
    virtual bool loadNextRecord(GoBrowser& window) = 0;
    virtual GoBrowser* teachingRoomWindow() = 0;
};

// The study room's menus "播放速度" (autoplay speed) and "手順顯示" (numbered last moves).
class StudyMenus {
  public:
    virtual ~StudyMenus() = default;
    // The number input dialog "Input Number"; nullopt when cancelled.
    virtual std::optional<std::u16string> askNumber() = 0;
    // Marks one item of a menu (the others lose the mark); items are numbered from 0 in menu
    // order, the last being "自訂".
    virtual void checkSpeedItem(int item) = 0;
    virtual void checkMoveNumberItem(int item) = 0;
};

}  // namespace veld
