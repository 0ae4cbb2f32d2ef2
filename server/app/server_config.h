// Everything a veld-server process is told at start-up.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "server/auth/login_throttle.h"
#include "server/auth/passwords.h"
#include "server/community/community_service.h"
#include "server/core/frame_session.h"
#include "server/game/game_service.h"
#include "server/net/tcp_server.h"

namespace veld::server {

struct GameServerSettings {
    std::uint16_t port = 0;  // 0: an ephemeral port
    std::u16string name;
    std::u16string description;
};

// A privilege given to an existing account at start-up.
struct Grant {
    std::string name;  // code page 950
    int privilege = 0;
};

// A rank code (0-255; above 100 an established rank) given to an existing account at start-up.
struct RankSetting {
    std::string name;  // code page 950
    int rankCode = 0;
};

struct ServerConfig {
    // Folder of the database file veld.db; created when missing.
    std::filesystem::path dataDir;
    std::string listenAddress = "127.0.0.1";
    // The address the game-server list announces; empty: the listen address, or 127.0.0.1
    // when listening on every address.
    std::string announceAddress;
    std::uint16_t communityPort = 0;
    std::vector<GameServerSettings> gameServers;
    std::vector<Grant> grants;
    std::vector<RankSetting> ranks;

    CommunityPolicy community;
    GamePolicy game;
    SessionLimits session;
    TransportLimits transport;
    PasswordLimits passwords = PasswordLimits::interactive();
    ThrottlePolicy throttle;
    // Threads that hash passwords.
    unsigned hashThreads = 1;
};

}  // namespace veld::server
