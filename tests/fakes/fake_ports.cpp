#include "fakes/fake_ports.h"

#include <stdexcept>

namespace veld::testing {

void FakeNet::open(Link link, const std::string& host, std::uint16_t port) {
    opened.push_back({link, host, port});
    connected_[index(link)] = false;  // the test reports the connection when it wants
}

void FakeNet::send(Link link, std::string_view bytes) {
    sent_[index(link)] += bytes;
}

void FakeNet::close(Link link) {
    ++closes;
    connected_[index(link)] = false;
}

bool FakeDialogs::confirm(std::u16string_view text) {
    open(Kind::Confirmation, text);
    if (answers.empty()) return true;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

bool FakeDialogs::showLogin(LoginDialogModel& model) {
    loginShown.push_back(model);
    open(Kind::Login, u"登入");
    if (loginAnswers.empty()) return false;
    const std::optional<LoginDialogModel> answer = loginAnswers.front();
    loginAnswers.pop_front();
    if (!answer) return false;
    model = *answer;
    return true;
}

bool FakeDialogs::showPasswordChange(PasswordDialogModel& model) {
    passwordShown.push_back(model);
    open(Kind::PasswordChange, u"改變密碼");
    if (passwordAnswers.empty()) return false;
    const std::optional<PasswordDialogModel> answer = passwordAnswers.front();
    passwordAnswers.pop_front();
    if (!answer) return false;
    model = *answer;
    return true;
}

void FakeDialogs::open(Kind kind, std::u16string_view text) {
    const Box box{kind, std::u16string(text)};
    boxes.push_back(box);
    if (whileOpen) whileOpen(box);
}

void FakeShell::setServerList(std::span<const ServerListItem> items) {
    serverItems.clear();
    for (const ServerListItem& item : items) {
        if (item.image != static_cast<int>(serverItems.size()))
            throw std::logic_error("server list item with an image other than its position");
        serverItems.push_back(item.caption);
    }
}

std::string FakeSettingsStore::readString(std::string_view name) const {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
}

}  // namespace veld::testing
