// The command line of veld-server.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "server/app/server_config.h"

namespace veld::server {

struct CommandLine {
    ServerConfig config;
    bool help = false;
};

// The arguments after the program name. nullopt with a reason in `error` for a command line
// that cannot be used.
std::optional<CommandLine> parseCommandLine(std::span<const std::string_view> args,
                                            std::string& error);
// The text of --help.
std::string usageText();

}  // namespace veld::server
