// A client on fakes, with the steps that bring it to a login state: logged in to the community
// server, shown a server list, joined.
#pragma once

#include <string>
#include <vector>

#include "client/client.h"
#include "fakes/fake_ports.h"
#include "protocol/frame.h"
#include "protocol/wire.h"

namespace veld::testing {

struct LoginHarness {
    FakeNet net;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeSettingsStore settings;
    Client client{net, dialogs, shell, settings};
    // The sound effects the client asked for, in order.
    std::vector<std::string> sounds;

    LoginHarness() {
        client.setSoundSink([this](std::string_view file) { sounds.emplace_back(file); });
    }

    static const std::u16string& row(int k) { return TextTable::builtIn().uiText(k); }

    static LoginDialogModel answer(std::u16string name, std::u16string password,
                                   bool remember = false) {
        return {std::move(name), std::move(password), remember};
    }

    void receive(Link link, std::string_view message) { client.onData(link, packFrame(message)); }

    std::vector<std::u16string> boxTexts(FakeDialogs::Kind kind) const {
        std::vector<std::u16string> texts;
        for (const auto& box : dialogs.boxes)
            if (box.kind == kind) texts.push_back(box.text);
        return texts;
    }
    std::vector<std::u16string> warnings() const { return boxTexts(FakeDialogs::Kind::Warning); }

    // Through the dialog to an accepted login reply of this account class; the community link
    // stays connected and nothing sent so far is kept.
    void logIn(std::u16string name = u"abc", std::string accountClass = "A") {
        dialogs.loginAnswers.push_back(answer(std::move(name), u"secret"));
        client.login().logintocom();
        net.setConnected(Link::Community, true);
        client.onConnected(Link::Community);
        receive(Link::Community, "PX0" + accountClass);
        net.clearSent();
    }

    // One record of a server list: IPv4 bytes as they travel, port, name, description.
    static std::string serverRecord(std::string address, std::uint16_t port,
                                    std::u16string_view name, std::u16string_view description) {
        const std::string hexName = wideToHex(name), hexExtra = wideToHex(description);
        return address + wordToBytes(port) +
               wordToBytes(static_cast<std::uint32_t>(hexName.size())) + hexName +
               wordToBytes(static_cast<std::uint32_t>(hexExtra.size())) + hexExtra;
    }

    // Two servers: "甲" at 127.0.0.1:7001 and "乙" at 127.0.0.2:7002.
    void receiveTwoServers() {
        using namespace std::string_literals;
        receive(Link::Community, "CM" + serverRecord("\x01\x00\x00\x7F"s, 7001, u"甲", u"one") +
                                     serverRecord("\x02\x00\x00\x7F"s, 7002, u"乙", u"two"));
    }

    // An accepted join: uid 7, privilege 1, four unused bytes, mail box topic 9.
    static std::string joinedReply() { return std::string("0\0\7\0\1\0\0\0\0\0\0\0\x09", 13); }

    // Clicks server `index`, connects, and receives the join reply "OK" + `reply`.
    void join(std::size_t index, std::string_view reply = joinedReply()) {
        client.gameServers().serverClicked(index);
        net.setConnected(Link::Game, true);
        client.onConnected(Link::Game);
        receive(Link::Game, "OK" + std::string(reply));
    }
};

}  // namespace veld::testing
