// A running veld-server: the store, the community server and the game servers, each server on
// its own io_context thread, plus a small pool that hashes passwords.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "server/app/server_config.h"
#include "server/store/storage.h"

namespace veld::server {

class ServerApp {
  public:
    // Opens the store, applies the grants, binds every listener and starts the threads.
    // nullptr with a reason in `error` when any of that fails.
    static std::unique_ptr<ServerApp> start(const ServerConfig& config, std::string& error);
    // Stops first.
    ~ServerApp();
    ServerApp(const ServerApp&) = delete;
    ServerApp& operator=(const ServerApp&) = delete;

    // Closes the listeners and every connection, then joins the threads. Idempotent.
    void stop();

    // Where each server listens ("127.0.0.1:40013"), the community server's first.
    const std::vector<std::string>& endpoints() const { return endpoints_; }
    std::uint16_t communityPort() const { return communityPort_; }
    const std::vector<std::uint16_t>& gamePorts() const { return gamePorts_; }
    Storage& storage();

  private:
    struct Impl;
    explicit ServerApp(std::unique_ptr<Impl> impl);

    std::unique_ptr<Impl> impl_;
    std::vector<std::string> endpoints_;
    std::uint16_t communityPort_ = 0;
    std::vector<std::uint16_t> gamePorts_;
};

}  // namespace veld::server
