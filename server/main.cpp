// veld-server: the community server and the game servers in one foreground process.
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include <pthread.h>

#include "server/app/options.h"
#include "server/app/server_app.h"

int main(int argc, char** argv) {
    using namespace veld::server;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string error;
    const auto commandLine = parseCommandLine(args, error);
    if (!commandLine) {
        std::fprintf(stderr, "veld-server: %s\nTry veld-server --help.\n", error.c_str());
        return 2;
    }
    if (commandLine->help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }

    // The stop signals are taken by sigwait below; every thread started later inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    const ServerConfig& config = commandLine->config;
    if (config.announceAddress.empty() &&
        (config.listenAddress == "0.0.0.0" || config.listenAddress == "::"))
        std::fputs(
            "veld-server: listening on every address without --announce: the game-server "
            "list announces 127.0.0.1\n",
            stderr);

    auto app = ServerApp::start(config, error);
    if (!app) {
        std::fprintf(stderr, "veld-server: %s\n", error.c_str());
        return 1;
    }
    const auto& endpoints = app->endpoints();
    std::printf("community server listening on %s\n", endpoints.front().c_str());
    for (std::size_t i = 1; i < endpoints.size(); ++i)
        std::printf("game server %zu listening on %s\n", i, endpoints[i].c_str());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    app->stop();
    return 0;
}
