// One player of the joined game server, as the player messages describe him.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace veld {

struct Tgame;

// Plain record. The fields that only the own account has (privilege, account class, home topic)
// live in OwnRecord, the one place the login and the join write them.
struct Tuser {
    std::uint16_t uid = 0;
    std::uint16_t langId = 0;
    // "D" marks a dummy user.
    std::string userType;
    // The name as messages carry it: 10 bytes, padded with spaces.
    std::string rawName;
    // rawName without the spaces at its ends; the key of findUserByName.
    std::string name;
    // The name decoded from code page 950; shown in lists, key of the friend and blocked lists.
    std::u16string displayName;
    std::uint8_t rankCode = 0;
    std::string rankText;
    int rankValue = 0;
    std::u16string ageText;
    std::string sexText;
    std::u16string regionText;
    std::u16string jobText;
    std::string ipAddress;
    // Place in the server's ranking; 0 means none.
    int ranking = 0;
    std::u16string introduction;
    std::uint32_t pxCode = 0;
    // Rise/fall index: the wire byte minus 100.
    int promotionIndex = 0;
    int loginCount = 0, onlineTime = 0, averageOnlineTime = 0;
    int gameCount = 0, wins = 0, losses = 0;
    std::string registeredOn, lastLoginAt;
    // Willingness to play: one of "!", "O", "X", "%", "=", ">", "<", "+", "-".
    std::string playWish;
    // "N" idle, "P" playing, "B" broadcasting, "T" teaching; other letters as sent.
    std::string playStatus;
    std::u16string playStatusText;
    double winRate = 0;
    std::string winRateText;
    // "O" friend, "X" blocked, empty otherwise.
    std::string friendMark;
    int iconIndex = 0;
    std::string infoText;
    // Only for an opponent entry of the win-rate analysis: the games against that opponent.
    std::vector<std::shared_ptr<Tgame>> opponentGames;
    std::string languageName;
    std::string markText;
    int tagNumber = 0;
};

using UserRef = std::shared_ptr<Tuser>;

}  // namespace veld
