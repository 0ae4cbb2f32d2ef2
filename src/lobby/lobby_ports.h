// What the lobby needs from the desktop and from the subsystems that own the effects: status
// panels, menus, the certificate, sounds, the private chat and the games of a player who left.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lobby/user.h"

namespace veld {

class LobbyPort {
  public:
    virtual ~LobbyPort() = default;
    // Panel 1 of the lobby status bar (the player total) and panel 2 (the game total).
    virtual void setPlayerTotal(std::u16string_view text) = 0;
    virtual void setGameTotal(std::u16string_view text) = 0;
    // Checks the item of the menu "對局意願" with this marker; an unknown marker checks none.
    virtual void checkPlayWish(std::string_view marker) = 0;
    // The player list's popup item "觀戰".
    virtual void setObserveEnabled(bool enabled) = 0;
    // Hides the private chat panel, clearing its text first when asked.
    virtual void hidePrivateChat(bool clearText) = 0;
    // Plays a sound file of the wave folder ("error.wav", "Applaud.wav").
    virtual void playSound(std::string_view file) = 0;
    // Handles the open games, rooms and observer lists of a player who left.
    virtual void closeAllusergames(const Tuser& user) = 0;
    // A row of the event list.
    virtual void addEvent(std::u16string_view text) = 0;
    // The current time of day in the system's long time format.
    virtual std::u16string timeOfDay() = 0;
    // The rank certificate ("證書", on top, read-only lines, "OK"): false without showing it when
    // it is visible already; otherwise shown modally, true once closed.
    virtual bool showCertificate(const std::vector<std::u16string>& lines) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<std::u16string> inputBox(std::u16string_view caption,
                                                   std::u16string_view prompt,
                                                   std::u16string_view initial) = 0;
};

}  // namespace veld
