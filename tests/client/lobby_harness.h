// A joined client with a recording lobby port, and the player records as the server sends them.
#pragma once

#include <string>
#include <vector>

#include "client/login_harness.h"
#include "lobby/lobby_ports.h"
#include "protocol/fields.h"

namespace veld::testing {

class FakeLobbyPort : public LobbyPort {
  public:
    void setPlayerTotal(std::u16string_view text) override { playerTotal = text; }
    void setGameTotal(std::u16string_view text) override { gameTotal = text; }
    void checkPlayWish(std::string_view marker) override { checkedWish = marker; }
    void setObserveEnabled(bool enabled) override { observeEnabled = enabled; }
    void hidePrivateChat(bool clearText) override {
        ++chatHidden;
        chatCleared = chatCleared || clearText;
    }
    void playSound(std::string_view file) override { sounds.emplace_back(file); }
    void closeAllusergames(const Tuser& user) override { closedGamesOf.push_back(user.uid); }
    void addEvent(std::u16string_view text) override { events.emplace_back(text); }
    std::u16string timeOfDay() override { return u"12:00:00"; }
    bool showCertificate(const std::vector<std::u16string>& lines) override {
        certificates.push_back(lines);
        return true;
    }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view prompt,
                                           std::u16string_view initial) override {
        prompts.emplace_back(prompt);
        initials.emplace_back(initial);
        return inputAnswer;
    }

    std::u16string playerTotal, gameTotal;
    std::string checkedWish = "-none-";
    std::optional<bool> observeEnabled;
    int chatHidden = 0;
    bool chatCleared = false;
    std::vector<std::string> sounds;
    std::vector<std::uint16_t> closedGamesOf;
    std::vector<std::u16string> events, prompts, initials;
    std::vector<std::vector<std::u16string>> certificates;
    std::optional<std::u16string> inputAnswer;
};

// The fields of one player as "W1", "W2" and "W3" carry them.
struct PlayerWire {
    std::uint16_t uid = 0;
    std::string address = std::string("\x01\x00\x00\x7F", 4);
    std::string name;  // padded to 10 bytes
    std::uint8_t rankCode = 26;
    char userType = 'A';
    char playWish = 'O';
    char playStatus = 'N';
    std::uint32_t pxCode = 0;
    std::uint16_t wins = 0, losses = 0;
    std::uint8_t promotion = 100;
    std::uint16_t langId = 1028;
    std::uint16_t ranking = 0;
    std::uint16_t tagNumber = 0;

    // A 35-byte record of "W2"/"W3".
    std::string record() const {
        return wordToBytes(uid) + address + padRight(name, 10) +
               std::string(1, static_cast<char>(rankCode)) + userType + playWish + playStatus +
               longToBytes(pxCode) + wordToBytes(wins) + wordToBytes(losses) +
               std::string(1, static_cast<char>(promotion)) + wordToBytes(langId) +
               wordToBytes(ranking) + wordToBytes(tagNumber);
    }
    // The "W1" message, 38 bytes once framed.
    std::string w1() const {
        return "W1" + wordToBytes(uid) + address + padRight(name, 10) +
               std::string(1, static_cast<char>(rankCode)) + userType + longToBytes(pxCode) +
               playWish + wordToBytes(wins) + wordToBytes(losses) +
               std::string(1, static_cast<char>(promotion)) + wordToBytes(langId) +
               wordToBytes(ranking) + wordToBytes(tagNumber);
    }
};

struct LobbyHarness : LoginHarness {
    FakeLobbyPort port;

    LobbyHarness() { client.players().setPort(&port); }

    Players& players() { return client.players(); }

    // Logged in and joined as uid 7 ("abc"), the lobby not yet built.
    void joinServer() {
        logIn(u"abc", "A");
        receiveTwoServers();
        join(1);
    }

    static PlayerWire me() {
        PlayerWire w;
        w.uid = 7;
        w.name = "abc";
        return w;
    }

    std::vector<std::u16string> rowNames() {
        std::vector<std::u16string> names;
        for (const auto& user : players().list().rows()) names.push_back(user->displayName);
        return names;
    }
};

}  // namespace veld::testing
