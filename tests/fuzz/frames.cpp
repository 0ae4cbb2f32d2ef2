// Arbitrary bytes in arbitrary read sizes on both links, through the receive loop into the
// dispatcher, with handlers that throw and modal boxes that let more bytes in while open, mixed
// with logins, server clicks and link errors and disconnects.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "client/client.h"
#include "fakes/fake_ports.h"

using namespace veld;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    testing::FakeNet net;
    testing::FakeDialogs dialogs;
    testing::FakeShell shell;
    Client client(net, dialogs, shell);
    net.setConnected(Link::Game, true);
    net.setConnected(Link::Community, true);

    client.dispatcher().add("ZT", [](std::string_view f, Link) {
        if (f.size() % 2) throw std::runtime_error("odd");
    });
    client.dispatcher().add("ZS", [&](std::string_view f, Link) { client.sendToServer(f); });
    client.dispatcher().add("ZC", [&](std::string_view f, Link) { client.sendToCom(f.substr(4)); });
    client.dispatcher().add("ZN", [&](std::string_view, Link l) { client.newContext(l, "x"); });

    auto nextRead = [&](bool allowEmpty) {
        const auto n = input.ConsumeIntegralInRange<std::size_t>(allowEmpty ? 0 : 1, 300);
        return input.ConsumeBytesAsString(n);
    };
    // While a box is open, sometimes more bytes arrive on either link (nested read events).
    int depth = 0;
    dialogs.whileOpen = [&](const testing::FakeDialogs::Box&) {
        if (depth > 3 || input.remaining_bytes() == 0 || !input.ConsumeBool()) return;
        ++depth;
        const Link link = input.ConsumeBool() ? Link::Game : Link::Community;
        client.onData(link, nextRead(true));
        --depth;
    };

    constexpr int kMaxEvents = 16;
    int events = 0;
    while (input.remaining_bytes() > 0) {
        const Link link = input.ConsumeBool() ? Link::Game : Link::Community;
        client.onData(link, nextRead(false));
        if (input.ConsumeBool()) {
            net.setConnected(link, true);
            client.onConnected(link);
        }
        // Now and then a user command or a link event: the login and joining state must stay
        // sound whatever order frames and events come in.
        // Capped, so that an input's time goes mostly into frames.
        if (events == kMaxEvents || input.remaining_bytes() == 0 || !input.ConsumeBool()) continue;
        ++events;
        switch (input.ConsumeIntegralInRange(0, 5)) {
            case 0:
                dialogs.loginAnswers.push_back(
                    LoginDialogModel{u"abc", input.ConsumeBool() ? u"pw" : u"p", true});
                client.login().logintocom();
                break;
            case 1:
                client.gameServers().serverClicked(input.ConsumeIntegralInRange<std::size_t>(0, 3));
                break;
            case 2:
                net.setConnected(link, false);
                client.onError(link,
                               input.ConsumeBool() ? NetError::Connection : NetError::HostNotFound);
                break;
            case 3:
                net.setConnected(link, false);
                client.onDisconnected(link);
                break;
            case 4:
                dialogs.passwordAnswers.push_back(PasswordDialogModel{u"pw", u"new", u"new"});
                client.login().changePassword();
                break;
            default:
                client.gameServers().exitVeldnet();
                break;
        }
    }
    return 0;
}
