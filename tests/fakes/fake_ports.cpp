#include "fakes/fake_ports.h"

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

void FakeDialogs::open(Kind kind, std::u16string_view text) {
    const Box box{kind, std::u16string(text)};
    boxes.push_back(box);
    if (whileOpen) whileOpen(box);
}

}  // namespace veld::testing
