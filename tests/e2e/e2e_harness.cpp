#include "e2e/e2e_harness.h"

#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/text_table.h"
#include "protocol/wire.h"

namespace veld::e2e {

namespace {

constexpr std::size_t kPlayerRecordBytes = 35;

std::string nameField(std::string_view frame, std::size_t at) {
    const std::string_view field = frame.substr(std::min(at, frame.size()), 10);
    const std::size_t end = field.find_last_not_of(' ');
    return std::string(field.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

}  // namespace

const std::u16string& row(int k) {
    return TextTable::builtIn().uiText(k);
}

Player::Player(headless::EventLoop& loop, std::uint16_t communityPort) : net(loop.io()) {
    settings.values["comhost"] = "127.0.0.1";
    settings.values["comport"] = std::to_string(communityPort);
    events_.setFrameObserver(
        [this](Link link, std::string_view frame) { frames_.emplace_back(link, frame); });
}

void Player::answerLogin(std::u16string name, std::u16string password) {
    dialogs.loginAnswers.push_back(LoginDialogModel{std::move(name), std::move(password), false});
}

void Player::logIn(std::u16string name, std::u16string password) {
    answerLogin(std::move(name), std::move(password));
    client.login().logintocom();
}

std::vector<std::u16string> Player::warnings() const {
    std::vector<std::u16string> texts;
    for (const auto& box : dialogs.boxes)
        if (box.kind == testing::FakeDialogs::Kind::Warning) texts.push_back(box.text);
    return texts;
}

std::vector<std::string> Player::framesWith(Link link, std::string_view code) const {
    std::vector<std::string> found;
    for (const auto& [on, frame] : frames_)
        if (on == link && frame.substr(2, 2) == code) found.push_back(frame);
    return found;
}

std::vector<std::pair<std::uint16_t, std::string>> Player::playerList() const {
    std::vector<std::pair<std::uint16_t, std::string>> players;
    for (const auto& [link, frame] : frames_) {
        if (link != Link::Game) continue;
        const std::string_view code = std::string_view(frame).substr(2, 2);
        if (code != "W2" && code != "W3") continue;
        for (std::size_t at = 4; at + kPlayerRecordBytes <= frame.size(); at += kPlayerRecordBytes)
            players.emplace_back(bytesToWord(frame.substr(at, 2)), nameField(frame, at + 6));
    }
    return players;
}

bool Player::sawArrival(std::uint16_t uid, std::string_view name) const {
    for (const std::string& frame : framesWith(Link::Game, "W1"))
        if (bytesToWord(frame.substr(4, 2)) == uid && nameField(frame, 10) == name) return true;
    return false;
}

bool Player::sawLeaving(std::uint16_t uid) const {
    for (const std::string& frame : framesWith(Link::Game, "WX"))
        if (bytesToWord(frame.substr(4, 2)) == uid) return true;
    return false;
}

void EndToEnd::startServer() {
    std::string error;
    const std::vector<std::string> arguments = {
        "--data", data_.path().string(), "--community-port",     "0", "--game-ports",
        "0",      "--server-name",       wideToUtf8(kServerName)};
    ASSERT_TRUE(server_.start(VELD_SERVER_PROGRAM, arguments, 1, kWait, error)) << error;
}

void EndToEnd::joinAs(Player& player, std::u16string name, std::u16string password) {
    player.logIn(std::move(name), std::move(password));
    ASSERT_TRUE(waitFor([&] { return player.loggedIn(); })) << "no server list";
    ASSERT_EQ(player.shell.serverItems, std::vector<std::u16string>{std::u16string(kServerName)});
    player.client.gameServers().serverClicked(0);
    ASSERT_TRUE(waitFor([&] { return player.onLine(); })) << "not joined";
    // The player list follows the join reply.
    ASSERT_TRUE(waitFor([&] { return !player.framesWith(Link::Game, "W3").empty(); }));
}

}  // namespace veld::e2e
