// A veld-server program run as a child process, the way end-to-end tests and load tools start
// it: on 127.0.0.1 with ephemeral ports, the real ports read from the lines it prints. POSIX.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veld::headless {

// A fresh folder below the system's temporary folder (TMPDIR, else /tmp), removed with all it
// holds when the object goes. Throws std::system_error when it cannot be made.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

class ServerProcess {
  public:
    ServerProcess() = default;
    // A server still running is killed (SIGKILL) and reaped.
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Runs `program` with `arguments` and reads its standard output until it has printed the
    // community server's listening line and `gameServers` game-server lines. False with a
    // reason in `error` when it cannot be run, ends, or does not print them within `timeout`;
    // a process that was started is then killed. The child also gets SIGKILL when the thread
    // that started it ends, so no server outlives a crashed test. Its standard error is ours.
    bool start(const std::string& program, const std::vector<std::string>& arguments,
               std::size_t gameServers, std::chrono::milliseconds timeout, std::string& error);

    bool running() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // The ports printed by the last start.
    std::uint16_t communityPort() const { return communityPort_; }
    const std::vector<std::uint16_t>& gamePorts() const { return gamePorts_; }

    // Sends `signal` and waits up to `timeout` for the process to end. Its exit code, or 128 +
    // the number of the signal that ended it; nullopt when it was not running or did not end in
    // time (it is then killed and reaped).
    std::optional<int> stop(int signal, std::chrono::milliseconds timeout);

  private:
    // Reads what the child prints until it closes its output or the deadline passes; true on
    // the close.
    bool drainUntilClosed(std::chrono::steady_clock::time_point deadline);
    bool parseLine(const std::string& line);
    int reap();

    pid_t pid_ = -1;
    int output_ = -1;
    std::uint16_t communityPort_ = 0;
    std::vector<std::uint16_t> gamePorts_;
};

}  // namespace veld::headless
