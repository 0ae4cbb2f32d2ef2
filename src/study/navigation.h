// The navigation buttons and keys of the rooms, and the board commands that a teaching board
// sends for them so that the pupils' boards follow.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veld {

class GoBrowser;
class Shell;
class StudyHooks;

enum class NavCommand {
    first,              // "第一手"
    fastBackward,       // "快速後退": 10 back
    previous,           // "上一手"
    next,               // "下一手"
    fastForward,        // "快速前進": 10 forward
    last,               // "最後一手": to the end of the line
    switchVariation,    // "目前手數", the button that shows the move number
    previousCommented,  // back to the nearest commented node
    nextCommented,      // forward to the nearest commented node
};

// A count in a board command: two bytes, high byte first.
std::string countText(int n);
// The board command a teaching board sends for the command; empty when it sends none.
std::string boardCommandFor(NavCommand command);
// Sends a board command to the pupils when the window is a teaching board ("YZ" + game id +
// command); nothing otherwise.
void teachBrocast(const GoBrowser& window, std::string_view command, StudyHooks& hooks);

// Runs the command on the window (nothing when there is none) with its sounds, voice and board
// command.
void navigate(GoBrowser* window, NavCommand command, StudyHooks& hooks);
// The same from the record tab of the topic page, which also shows the comment of the node
// reached in the status line.
void navigateTopicRecord(GoBrowser* window, NavCommand command, StudyHooks& hooks, Shell& shell);

enum class NavKey { left, right, up, down, pageUp, pageDown, home, end };
// The page in front when a key is released.
enum class KeyPage { studyRoom, topics, other };

// The command of a released key on the page; nullopt when the key does nothing there. The study
// room takes every key; the topic page the arrows left and right (with or without Ctrl), Home
// and End.
std::optional<NavCommand> commandForKey(NavKey key, bool ctrl, KeyPage page);

}  // namespace veld
