// The community server: logins and their answers, the game-server list, password changes and
// the friend and blocked lists.
#include <gtest/gtest.h>

#include "harness.h"
#include "protocol/frame.h"
#include "protocol/wire.h"

namespace veld::server::testing {
namespace {

TEST(CommunityLogin, RegistersUnknownNameAndListsTheGameServers) {
    TestServer server(2);
    TestClient client(server.communityPort());
    EXPECT_EQ(login(client, "alice", "secret"), packFrame("PX0A"));

    const auto cm = client.next();
    ASSERT_EQ(codeOf(cm), "CM");
    std::string expected = "CM";
    for (std::size_t i = 0; i < 2; ++i) {
        expected += std::string("\x01\x00\x00\x7F", 4) + wordToBytes(server.gamePort(i));
        expected += packFrame(wideToHex(u"Test " + std::u16string(1, u'1' + i)));
        expected += packFrame(wideToHex(u"Testing"));
    }
    EXPECT_EQ(*cm, packFrame(expected));

    const auto account = server.storage().findAccount("alice");
    ASSERT_TRUE(account);
    EXPECT_EQ(account->passwordHash.rfind("$argon2id$", 0), 0u) << "stored as an argon2id hash";
    EXPECT_EQ(account->passwordHash.find("secret"), std::string::npos);

    // The account is kept: the same password logs in again, another one does not.
    client.close();
    TestClient again(server.communityPort());
    EXPECT_EQ(login(again, "alice", "wrong"), packFrame("PX2"));
    EXPECT_EQ(login(again, "alice", "secret"), packFrame("PX0A"));
}

// Each case: a server set up one way, the answer a login gets.
struct Refusal {
    const char* what;
    int gameServers;
    std::function<void(ServerConfig&)> adjust;
    std::string name;
    std::uint16_t version;
    char expected;
};

TEST(CommunityLogin, RefusalsCarryTheirResultCharacter) {
    const std::vector<Refusal> cases{
        {"maintenance", 1, [](ServerConfig& c) { c.community.maintenance = true; }, "bob", 31702,
         '7'},
        {"temporary accounts closed", 1,
         [](ServerConfig& c) {
             c.community.registration = Registration::Temporary;
             c.community.temporaryClosed = true;
         },
         "bob", 31702, 'C'},
        {"no game server", 0, nullptr, "bob", 31702, '4'},
        {"registration off", 1,
         [](ServerConfig& c) { c.community.registration = Registration::Off; }, "bob", 31702, '2'},
        {"reserved name", 1, nullptr, "sys", 31702, '3'},
        {"name with a control byte", 1, nullptr, std::string("b\x01ob"), 31702, '3'},
        {"other protocol version", 1, nullptr, "bob", 31701, '3'},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        TestServer server(c.gameServers, c.adjust);
        TestClient client(server.communityPort());
        client.send(loginMessage(c.name, "secret", c.version));
        EXPECT_EQ(client.nextWith("PX"), packFrame(std::string("PX") + c.expected));
        EXPECT_FALSE(server.storage().findAccount(c.name)) << "no account was made";
    }
}

TEST(CommunityLogin, MaintenanceAdmitsOnlyChiefAdministrators) {
    TestServer server;
    for (const char* name : {"chief", "member"}) {
        TestClient client(server.communityPort());
        ASSERT_EQ(codeOf(login(client, name, "secret")), "PX");
    }
    auto chief = *server.storage().findAccount("chief");
    chief.privilege = 13;
    ASSERT_TRUE(server.storage().updateAccount(chief));
    server.config().community.maintenance = true;
    server.restart();

    TestClient member(server.communityPort());
    EXPECT_EQ(login(member, "member", "secret"), packFrame("PX7"));
    TestClient wrong(server.communityPort());
    EXPECT_EQ(login(wrong, "chief", "wrong"), packFrame("PX7")) << "no hint that chief is special";
    TestClient admitted(server.communityPort());
    EXPECT_EQ(login(admitted, "chief", "secret"), packFrame("PX0A"));
}

TEST(CommunityLogin, NameOnLineIsRefusedUntilThatLoginEnds) {
    TestServer server;
    auto first = std::make_unique<TestClient>(server.communityPort());
    ASSERT_EQ(login(*first, "carol", "secret"), packFrame("PX0A"));
    TestClient second(server.communityPort());
    EXPECT_EQ(login(second, "carol", "secret"), packFrame("PX1"));

    first.reset();
    // The server learns of the close on its own time: try until the login is free again.
    std::optional<std::string> answer;
    const auto deadline = std::chrono::steady_clock::now() + kWait;
    do {
        TestClient retry(server.communityPort());
        answer = login(retry, "carol", "secret");
    } while (answer == packFrame("PX1") && std::chrono::steady_clock::now() < deadline);
    EXPECT_EQ(answer, packFrame("PX0A"));
}

TEST(CommunityLogin, RepeatedWrongPasswordsAreSlowedDown) {
    TestServer server(1, [](ServerConfig& c) {
        c.throttle.freeAccountFailures = 1;
        c.throttle.firstDelay = 300ms;
    });
    {
        TestClient client(server.communityPort());
        ASSERT_EQ(login(client, "hank", "secret"), packFrame("PX0A"));
    }
    auto timed = [&](const char* password) {
        TestClient client(server.communityPort());
        const auto start = std::chrono::steady_clock::now();
        const auto answer = login(client, "hank", password);
        return std::pair{answer, std::chrono::steady_clock::now() - start};
    };
    EXPECT_EQ(timed("wrong1").first, packFrame("PX2"));
    EXPECT_EQ(timed("wrong2").first, packFrame("PX2"));
    // Past the free failure every answer waits, the right password's too.
    const auto [wrong, wrongTime] = timed("wrong3");
    EXPECT_EQ(wrong, packFrame("PX2"));
    EXPECT_GE(wrongTime, 300ms);
    const auto [right, rightTime] = timed("secret");
    EXPECT_EQ(right, packFrame("PX0A"));
    EXPECT_GE(rightTime, 600ms);
}

TEST(CommunityLogin, FramesSentWithTheLoginAreAnsweredAfterIt) {
    TestServer server;
    TestClient client(server.communityPort());
    client.sendBytes(packFrame(loginMessage("dave", "secret")) + packFrame("QXQ"));
    EXPECT_EQ(codeOf(client.next()), "PX");
    EXPECT_EQ(codeOf(client.next()), "CM");
    EXPECT_EQ(client.next(), packFrame("QX"));
}

TEST(CommunityLogin, RequestsBeforeLoginCloseTheConnection) {
    TestServer server;
    TestClient client(server.communityPort());
    client.send("QXQ");
    EXPECT_TRUE(client.waitClosed());
}

TEST(PasswordChange, ChangesOnlyTheOwnPassword) {
    TestServer server;
    {
        TestClient other(server.communityPort());
        ASSERT_EQ(login(other, "erin", "secret"), packFrame("PX0A"));
    }
    TestClient client(server.communityPort());
    ASSERT_EQ(login(client, "frank", "secret"), packFrame("PX0A"));
    ASSERT_EQ(codeOf(client.next()), "CM");

    // Another account's password, and a password of one byte: no reply, nothing changes.
    client.send("USerin      hacked    ");
    client.send("USfrank     x         ");
    client.send("USfrank     newpass   ");
    EXPECT_EQ(client.next(), packFrame("USfrank     newpass   "));

    client.close();
    for (auto [name, password, answer] : {std::tuple{"frank", "secret", "PX2"},
                                          {"frank", "newpass", "PX0A"},
                                          {"erin", "hacked", "PX2"},
                                          {"erin", "secret", "PX0A"}}) {
        TestClient check(server.communityPort());
        EXPECT_EQ(login(check, name, password), packFrame(answer)) << name << " " << password;
    }
}

TEST(NameLists, AreStoredAndSurviveARestart) {
    TestServer server;
    const std::string friends = wideToUnits(u"小明\r\nbob");
    const std::string blocked = wideToUnits(u"mallory");
    {
        TestClient client(server.communityPort());
        ASSERT_EQ(login(client, "gina", "secret"), packFrame("PX0A"));
        client.send("QFQ");
        EXPECT_EQ(client.nextWith("QF"), packFrame("QF")) << "empty before anything is stored";
        client.send("QFS" + friends);
        client.send("QXS" + blocked + "x");  // an odd last byte is no code unit
        client.send("QFQ");
        EXPECT_EQ(client.nextWith("QF"), packFrame("QF" + friends));
    }
    server.restart();
    TestClient client(server.communityPort());
    ASSERT_EQ(login(client, "gina", "secret"), packFrame("PX0A"));
    client.send("QXQ");
    client.send("QFQ");
    EXPECT_EQ(client.nextWith("QX"), packFrame("QX" + blocked));
    EXPECT_EQ(client.nextWith("QF"), packFrame("QF" + friends));
}

TEST(NameLists, TemporaryAccountsKeepNone) {
    TestServer server(1,
                      [](ServerConfig& c) { c.community.registration = Registration::Temporary; });
    TestClient client(server.communityPort());
    ASSERT_EQ(login(client, "guest", "secret"), packFrame("PX0Z"));
    client.send("QFS" + wideToUnits(u"bob"));
    client.send("QFQ");
    EXPECT_EQ(client.nextWith("QF"), packFrame("QF"));
}

}  // namespace
}  // namespace veld::server::testing
