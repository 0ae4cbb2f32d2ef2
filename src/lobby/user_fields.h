// The derived fields of a player record: personal data, win rate, activity text, friend marks
// and language name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lobby/user.h"

namespace veld {

class TextTable;

// ageText, sexText, regionText, jobText and iconIndex from the bits of pxCode; values past the
// end of a table give empty text.
void decodepxcode(Tuser& user);
// gameCount = wins + losses; winRate and winRateText ("%2.2g"), or "0" without games.
void updatewinrate(Tuser& user);
// "閒", "弈", "播", "教" for "N", "P", "B", "T"; any other letter reads "閒".
std::u16string translateplayStatus(std::string_view letter, const TextTable& texts);

// The names the user marked as friends and as blocked players (filled by the friend lists).
struct FriendNames {
    std::vector<std::u16string> friendNames;
    std::vector<std::u16string> blockedNames;
};

// Marks an arriving record "X" when blocked and then "O" when a friend (a name in both lists ends
// as "O"); the own uid is never marked and a mark already present is not cleared. True when the
// mark "O" was set here.
bool applyFriendMarks(Tuser& user, const FriendNames& names, std::uint16_t myUid);

}  // namespace veld
