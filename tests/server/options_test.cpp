// The command line of veld-server.
#include <gtest/gtest.h>

#include "server/app/options.h"

namespace veld::server {
namespace {

std::optional<CommandLine> parse(std::vector<std::string_view> args, std::string& error) {
    return parseCommandLine(args, error);
}

TEST(CommandLine, ReadsEveryOption) {
    std::string error;
    const auto cl = parse({"--data",
                           "/tmp/d",
                           "--community-port=40013",
                           "--game-ports",
                           "0,40015",
                           "--server-name",
                           "圍棋",
                           "--listen",
                           "0.0.0.0",
                           "--announce",
                           "192.0.2.7",
                           "--notice",
                           "hi",
                           "--registration",
                           "temporary",
                           "--maintenance",
                           "--temporary-closed",
                           "--new-account-privilege",
                           "7",
                           "--grant",
                           "a=b=13",
                           "--rank",
                           "carol=126",
                           "--max-players",
                           "20",
                           "--max-connections",
                           "6000",
                           "--password-hash-cost",
                           "minimal"},
                          error);
    ASSERT_TRUE(cl) << error;
    const ServerConfig& c = cl->config;
    EXPECT_EQ(c.dataDir, "/tmp/d");
    EXPECT_EQ(c.communityPort, 40013);
    ASSERT_EQ(c.gameServers.size(), 2u);
    EXPECT_EQ(c.gameServers[0].name, u"圍棋");
    EXPECT_EQ(c.gameServers[1].name, u"Veld 2");
    EXPECT_EQ(c.gameServers[1].port, 40015);
    EXPECT_EQ(c.listenAddress, "0.0.0.0");
    EXPECT_EQ(c.announceAddress, "192.0.2.7");
    EXPECT_EQ(c.game.notice, "hi");
    EXPECT_EQ(c.community.registration, Registration::Temporary);
    EXPECT_TRUE(c.community.maintenance);
    EXPECT_TRUE(c.community.temporaryClosed);
    EXPECT_EQ(c.community.newAccountPrivilege, 7);
    ASSERT_EQ(c.grants.size(), 1u);
    EXPECT_EQ(c.grants[0].name, "a=b");
    EXPECT_EQ(c.grants[0].privilege, 13);
    ASSERT_EQ(c.ranks.size(), 1u);
    EXPECT_EQ(c.ranks[0].name, "carol");
    EXPECT_EQ(c.ranks[0].rankCode, 126);
    EXPECT_EQ(c.game.maxPlayers, 20u);
    EXPECT_EQ(c.transport.maxConnections, 6000u);
    EXPECT_EQ(c.passwords.opsLimit, PasswordLimits::minimal().opsLimit);
}

TEST(CommandLine, RefusesWhatCannotBeUsed) {
    const std::vector<std::vector<std::string_view>> bad{
        {"--community-port", "1"},
        {"--data", "d"},
        {"--data", "d", "--community-port", "65536"},
        {"--data", "d", "--community-port", "1", "--game-ports", "1,,2"},
        {"--data", "d", "--community-port", "1", "--server-name", "x"},
        {"--data", "d", "--community-port", "1", "--registration", "maybe"},
        {"--data", "d", "--community-port", "1", "--grant", "alice"},
        {"--data", "d", "--community-port", "1", "--rank", "alice=256"},
        {"--data", "d", "--community-port", "1", "--maintenance=yes"},
        {"--data", "d", "--community-port"},
        {"--data", "d", "--community-port", "1", "--colour", "red"},
        {"--data", "d", "--community-port", "1", "--password-hash-cost", "cheap"},
        {"--data", "d", "--community-port", "1", "--max-connections", "0"},
    };
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(parse(args, error)) << args.back();
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace veld::server
