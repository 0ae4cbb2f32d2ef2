// The login to the community server: the dialog's checks, the login message, the fallback
// addresses, the login reply and the password change.
#include <gtest/gtest.h>

#include "client/login_harness.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"

namespace veld {
namespace {

using namespace std::string_literals;
using testing::FakeDialogs;
using testing::LoginHarness;
using Kind = FakeDialogs::Kind;

struct LoginTest : ::testing::Test, LoginHarness {};

TEST(LoginChecks, RefusedInputIsWarnedInOrderAndNothingIsSent) {
    struct Case {
        const char* what;
        std::u16string name, password;
        int languageId;
        int row;
    };
    const Case cases[] = {
        {"forbidden character on a Traditional Chinese system", u"豬頭", u"pw", 1028, 449},
        {"forbidden name is checked before the password", u"豬頭", u"p", 1028, 449},
        {"password of one byte", u"abc", u"p", 1028, 894},
        {"password of eleven bytes", u"abc", u"12345678901", 1028, 894},
        {"password is checked before the name", u"a", u"p", 1028, 894},
        {"six Chinese characters are 12 bytes", u"圍棋圍棋圍棋", u"pw", 1028, 945},
        {"one character", u"a", u"pw", 1028, 927},
        {"one Chinese character", u"棋", u"pw", 1028, 927},
        {"one character between blanks", u" a ", u"pw", 1028, 927},
        {"empty name", u"", u"pw", 1033, 927},
        {"the system's name", u"sys", u"pw", 1028, 526},
        {"the name for nobody", u"NA", u"pw", 1028, 526},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoginHarness h;
        h.client.language().languageId = c.languageId;
        h.dialogs.loginAnswers.push_back(LoginHarness::answer(c.name, c.password));
        EXPECT_FALSE(h.client.login().logintocom());
        EXPECT_EQ(h.warnings(), std::vector{LoginHarness::row(c.row)});
        EXPECT_TRUE(h.net.opened.empty());
        EXPECT_EQ(h.shell.terminations, 0);
    }
}

TEST(LoginChecks, AcceptedInputConnectsToTheHostName) {
    struct Case {
        const char* what;
        std::u16string name, password;
        int languageId;
    };
    const Case cases[] = {
        {"two letters", u"ab", u"pw", 1028},
        {"five Chinese characters are 10 bytes", u"圍棋圍棋圍", u"1234567890", 1028},
        {"forbidden characters pass on other systems", u"豬頭", u"pw", 1033},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoginHarness h;
        h.client.language().languageId = c.languageId;
        h.dialogs.loginAnswers.push_back(LoginHarness::answer(c.name, c.password));
        EXPECT_TRUE(h.client.login().logintocom());
        EXPECT_TRUE(h.warnings().empty());
        ASSERT_EQ(h.net.opened.size(), 1u);
        EXPECT_EQ(h.net.opened[0].link, Link::Community);
        EXPECT_EQ(h.net.opened[0].host, "localhost");
        EXPECT_EQ(h.net.opened[0].port, 13);
        EXPECT_EQ(h.client.login().getservername(), LoginHarness::row(812));
        // Systems that are not Traditional Chinese widen the broadcast window first.
        EXPECT_EQ(h.shell.broadcastWidth, c.languageId == 1028 ? 0 : 360);
    }
}

TEST_F(LoginTest, DialogIsFilledFromTheSettingsAndTheLoginMessageWaitsForTheConnection) {
    settings.values["username"] = "old";
    settings.values["password"] = "secret";
    dialogs.loginAnswers.push_back(answer(u" 圍棋 ", u"pass", true));
    ASSERT_TRUE(client.login().logintocom());
    ASSERT_EQ(dialogs.loginShown.size(), 1u);
    EXPECT_EQ(dialogs.loginShown[0].name, u"old");
    EXPECT_EQ(dialogs.loginShown[0].password, u"secret");
    EXPECT_TRUE(dialogs.loginShown[0].remember);
    EXPECT_TRUE(net.sent(Link::Community).empty());

    net.setConnected(Link::Community, true);
    client.onConnected(Link::Community);
    const std::string name = wideToBig5(u"圍棋");  // trimmed
    EXPECT_EQ(client.myRecord().rawName, padRight(name, 10));
    EXPECT_EQ(net.sent(Link::Community), packFrame("UG\x7B\xD6"s + padRight(name, 10) +
                                                   "pass      " + "\0\0\x04\x04"s + "\0\x01"s));
    EXPECT_EQ(shell.status, row(915));
}

TEST_F(LoginTest, EmptySettingsLeaveRememberUncheckedAndCancelEndsTheApplication) {
    EXPECT_TRUE(client.login().logintocom());
    ASSERT_EQ(dialogs.loginShown.size(), 1u);
    EXPECT_FALSE(dialogs.loginShown[0].remember);
    EXPECT_EQ(shell.terminations, 1);
    EXPECT_TRUE(net.opened.empty());
}

TEST_F(LoginTest, StatusIsNotShownOverTheLobby) {
    shell.activePage = Page::Lobby;
    client.sendToCom("QFQ");
    net.setConnected(Link::Community, true);
    client.onConnected(Link::Community);
    EXPECT_TRUE(shell.status.empty());
    EXPECT_EQ(net.sent(Link::Community), packFrame("QFQ"));
}

TEST_F(LoginTest, FailingAddressesAreTriedInOrderThenTheApplicationEnds) {
    settings.values["comhost"] = "community.test";
    settings.values["comport"] = "4013";
    dialogs.loginAnswers.push_back(answer(u"abc", u"pw"));
    client.login().logintocom();
    client.onError(Link::Community, NetError::Connection);
    EXPECT_EQ(client.login().getservername(), row(811));
    client.onError(Link::Community, NetError::Connection);
    EXPECT_EQ(client.login().getservername(), row(810));
    EXPECT_TRUE(warnings().empty());
    client.onError(Link::Community, NetError::Connection);

    std::vector<std::string> hosts;
    for (const auto& opened : net.opened) {
        EXPECT_EQ(opened.port, 4013);
        hosts.push_back(opened.host);
    }
    EXPECT_EQ(hosts, (std::vector<std::string>{"community.test", "127.0.0.1", "::1"}));
    EXPECT_EQ(warnings(), std::vector{row(802) + u"\r\n" + row(827) + u"\r\n" + row(828)});
    EXPECT_EQ(shell.terminations, 1);
    EXPECT_EQ(client.login().getservername(), u"LOCAL");
}

TEST_F(LoginTest, AFallbackAddressGetsTheWaitingLoginMessage) {
    dialogs.loginAnswers.push_back(answer(u"abc", u"pw"));
    client.login().logintocom();
    const std::string login = client.context(Link::Community)->pendingText;
    client.onError(Link::Community, NetError::Connection);
    net.setConnected(Link::Community, true);
    client.onConnected(Link::Community);
    EXPECT_EQ(net.opened.back().host, "127.0.0.1");
    EXPECT_EQ(net.sent(Link::Community), packFrame(login));
}

TEST_F(LoginTest, AnUnknownHostNameIsReportedAndNothingElseIsTried) {
    dialogs.loginAnswers.push_back(answer(u"abc", u"pw"));
    client.login().logintocom();
    client.onError(Link::Community, NetError::HostNotFound);
    EXPECT_EQ(warnings(), std::vector<std::u16string>{u"Could not resolve host: localhost"});
    EXPECT_EQ(net.opened.size(), 1u);
    EXPECT_TRUE(net.sent(Link::Community).empty());
    EXPECT_EQ(shell.terminations, 0);
}

TEST_F(LoginTest, CommunityErrorsWhileOnLineChangeNothing) {
    logIn();
    receiveTwoServers();
    join(0);
    ASSERT_TRUE(client.gameServers().onLine());
    dialogs.boxes.clear();
    net.setConnected(Link::Community, false);
    client.sendToCom("QFQ");  // reconnects on demand
    const std::size_t opens = net.opened.size();
    client.onError(Link::Community, NetError::Connection);
    EXPECT_EQ(net.opened.size(), opens);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(shell.terminations, 0);
}

TEST_F(LoginTest, RefusedLoginReplies) {
    struct Case {
        char result;
        int row;
        bool ends;  // otherwise the dialog is shown again
    };
    const Case cases[] = {
        {'1', 832, true}, {'2', 526, false}, {'3', 526, false},
        {'4', 836, true}, {'7', 610, true},  {'C', 922, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        LoginHarness h;
        h.dialogs.loginAnswers = {answer(u"abc", u"pw"), answer(u"abc", u"pw2")};
        h.client.login().logintocom();
        h.net.setConnected(Link::Community, true);
        h.client.onConnected(Link::Community);
        h.net.clearSent();
        h.receive(Link::Community, "PX"s + c.result + "A");
        EXPECT_EQ(h.warnings(), std::vector{row(c.row)});
        EXPECT_EQ(h.sounds, std::vector<std::string>{"error.wav"});
        EXPECT_EQ(h.shell.terminations, c.ends ? 1 : 0);
        EXPECT_EQ(h.dialogs.loginShown.size(), c.ends ? 1u : 2u);
        EXPECT_FALSE(h.client.login().loginComplete());
        EXPECT_TRUE(h.net.sent(Link::Community).empty());  // no list requests
        EXPECT_TRUE(h.settings.values.empty());
    }
}

TEST_F(LoginTest, AcceptedLoginReplies) {
    struct Case {
        std::string reply;
        bool remember;
        std::string savedPassword;
        bool temporary;
    };
    const Case cases[] = {
        {"PX0A", true, "secret", false},
        {"PX0A", false, "", false},
        {"PX0Z", true, "secret", true},
        {"PX0W", false, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply + (c.remember ? " remembered" : ""));
        LoginHarness h;
        h.settings.values["password"] = "earlier";
        h.dialogs.loginAnswers.push_back(answer(u"abc", u"secret", c.remember));
        h.client.login().logintocom();
        h.net.setConnected(Link::Community, true);
        h.client.onConnected(Link::Community);
        h.net.clearSent();
        h.receive(Link::Community, c.reply);

        EXPECT_EQ(h.client.myRecord().accountClass, c.reply.substr(3));
        EXPECT_EQ(h.settings.values["username"], "abc");
        EXPECT_EQ(h.settings.values["password"], c.savedPassword);
        EXPECT_TRUE(h.client.login().loginComplete());
        EXPECT_TRUE(h.sounds.empty());
        EXPECT_EQ(h.boxTexts(Kind::Information), c.temporary
                                                     ? std::vector{row(199) + u"\r\n" + row(208)}
                                                     : std::vector<std::u16string>{});
        EXPECT_EQ(h.net.sent(Link::Community),
                  c.temporary ? "" : packFrame("QXQ") + packFrame("QFQ"));
        EXPECT_EQ(h.shell.terminations, 0);
    }
}

TEST_F(LoginTest, PasswordChangeIsCheckedAndAskedAgain) {
    struct Case {
        std::u16string oldPassword, newPassword, again;
        int row;
    };
    const Case cases[] = {
        {u"wrong", u"new1", u"new1", 609},
        {u"secret", u"new1", u"new2", 855},
        {u"secret", u"   ", u"   ", 871},
        {u"secret", u"n", u"n", 894},
        {u"secret", u"12345678901", u"12345678901", 894},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        LoginHarness h;
        h.logIn();
        h.dialogs.boxes.clear();
        // The refused entry, then a good one: the dialog comes back after the warning.
        h.dialogs.passwordAnswers = {PasswordDialogModel{c.oldPassword, c.newPassword, c.again},
                                     PasswordDialogModel{u" secret ", u" new ", u" new "}};
        h.client.login().changePassword();
        EXPECT_EQ(h.warnings(), std::vector{row(c.row)});
        ASSERT_EQ(h.dialogs.passwordShown.size(), 2u);
        EXPECT_EQ(h.dialogs.passwordShown[1].oldPassword, c.oldPassword);  // what was typed stays
        EXPECT_EQ(h.net.sent(Link::Community), packFrame("USabc       new       "));
    }
}

TEST_F(LoginTest, CancelledPasswordChangeSendsNothing) {
    logIn();
    client.login().changePassword();
    EXPECT_EQ(dialogs.passwordShown.size(), 1u);
    EXPECT_TRUE(net.sent(Link::Community).empty());
}

TEST_F(LoginTest, PasswordChangeReplyReplacesTheStoredPassword) {
    for (const bool remember : {true, false}) {
        SCOPED_TRACE(remember);
        LoginHarness h;
        h.dialogs.loginAnswers.push_back(answer(u"abc", u"secret", remember));
        h.client.login().logintocom();
        h.receive(Link::Community, "PX0A");
        h.receive(Link::Community, "USabc       fresh     ");
        EXPECT_EQ(h.client.login().storedPassword(), "fresh     ");
        EXPECT_EQ(h.warnings(), std::vector{row(345)});
        EXPECT_EQ(h.settings.values["password"], remember ? "fresh     " : "");
    }
    // A reply cut short keeps what it holds and reads nothing beyond the frame.
    receive(Link::Community, "USabc   ");
    EXPECT_EQ(client.login().storedPassword(), "");
}

}  // namespace
}  // namespace veld
