#include "protocol/dispatcher.h"

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"

namespace veld {
namespace {

using namespace std::string_literals;
using testing::FakeDialogs;

TEST(Dispatcher, RoutesByCodeWithTheWholeFrame) {
    FakeDialogs dialogs;
    Dispatcher dispatcher(dialogs);
    std::vector<std::string> seen;
    dispatcher.add("PX", [&](std::string_view f, Link l) {
        seen.push_back(std::string(f) + (l == Link::Community ? "/C" : "/G"));
    });
    dispatcher.processCommand("\0\3PX1"s, Link::Community);
    dispatcher.processCommand("\0\3PY1"s, Link::Game);  // unknown code: ignored
    dispatcher.processCommand("\0\1P"s, Link::Game);    // too short for a code
    dispatcher.processCommand(""s, Link::Game);
    EXPECT_EQ(seen, std::vector<std::string>{"\0\3PX1/C"s});
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST(Dispatcher, AHandlerThatThrowsBecomesASystemErrorBox) {
    FakeDialogs dialogs;
    Dispatcher dispatcher(dialogs);
    dispatcher.add("G1", [](std::string_view f, Link) { (void)f.at(100); });
    dispatcher.add("G2", [](std::string_view, Link) { throw 42; });
    dispatcher.processCommand("\0\2G1"s, Link::Game);
    dispatcher.processCommand("\0\2G2"s, Link::Game);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].kind, FakeDialogs::Kind::Warning);
    EXPECT_EQ(dialogs.boxes[0].text, u"System Error = G1");
    EXPECT_EQ(dialogs.boxes[1].text, u"System Error = G2");
}

TEST(Dispatcher, EachCodeHasOneOwner) {
    FakeDialogs dialogs;
    Dispatcher dispatcher(dialogs);
    dispatcher.add("OK", [](std::string_view, Link) {});
    EXPECT_THROW(dispatcher.add("OK", [](std::string_view, Link) {}), std::logic_error);
    EXPECT_THROW(dispatcher.add("OKX", [](std::string_view, Link) {}), std::logic_error);
    EXPECT_TRUE(dispatcher.handles("OK"));
    EXPECT_FALSE(dispatcher.handles("KO"));
}

}  // namespace
}  // namespace veld
