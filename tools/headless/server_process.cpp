#include "headless/server_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <system_error>

namespace veld::headless {

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

// The port at the end of "... listening on 127.0.0.1:40013" (or "[::1]:40013").
std::optional<std::uint16_t> portAtEnd(std::string_view line) {
    const std::size_t colon = line.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    std::uint16_t port = 0;
    const char* end = line.data() + line.size();
    const auto [at, ec] = std::from_chars(line.data() + colon + 1, end, port);
    if (ec != std::errc() || at != end || port == 0) return std::nullopt;
    return port;
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/veld-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

ServerProcess::~ServerProcess() {
    if (running()) stop(SIGKILL, std::chrono::seconds(10));
}

bool ServerProcess::start(const std::string& program, const std::vector<std::string>& arguments,
                          std::size_t gameServers, std::chrono::milliseconds timeout,
                          std::string& error) {
    if (running()) {
        error = "the server is running already";
        return false;
    }
    communityPort_ = 0;
    gamePorts_.clear();

    // Everything the child needs is made before the fork: after it, only exec-safe calls.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        error = std::string("fork: ") + std::strerror(errno);
        ::close(pipe[0]);
        ::close(pipe[1]);
        return false;
    }
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(127);
        // Signals blocked by a thread of ours are not the server's business.
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        if (::dup2(pipe[1], STDOUT_FILENO) < 0) ::_exit(127);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipe[1]);
    pid_ = pid;
    output_ = pipe[0];

    const auto deadline = Clock::now() + timeout;
    std::string text;
    while (communityPort_ == 0 || gamePorts_.size() < gameServers) {
        pollfd wait{output_, POLLIN, 0};
        const int ready = ::poll(&wait, 1, millisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            error = "the server printed no listening lines in time";
            stop(SIGKILL, std::chrono::seconds(10));
            return false;
        }
        char buffer[4096];
        const ssize_t n = ::read(output_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const std::optional<int> status = stop(SIGKILL, std::chrono::seconds(10));
            error = "the server ended before it listened (exit status " +
                    std::to_string(status.value_or(-1)) + ")";
            return false;
        }
        text.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end; (end = text.find('\n')) != std::string::npos;) {
            const std::string line = text.substr(0, end);
            text.erase(0, end + 1);
            if (!parseLine(line)) {
                error = "unexpected output from the server: " + line;
                stop(SIGKILL, std::chrono::seconds(10));
                return false;
            }
        }
    }
    return true;
}

bool ServerProcess::parseLine(const std::string& line) {
    const std::string_view text(line);
    const std::optional<std::uint16_t> port = portAtEnd(text);
    if (!port) return false;
    if (text.starts_with("community server listening on ")) {
        communityPort_ = *port;
        return true;
    }
    if (text.starts_with("game server ") && text.find(" listening on ") != std::string_view::npos) {
        gamePorts_.push_back(*port);
        return true;
    }
    return false;
}

std::optional<int> ServerProcess::stop(int signal, std::chrono::milliseconds timeout) {
    if (!running()) return std::nullopt;
    ::kill(pid_, signal);
    // The child's output closes when it ends; waiting on the pipe needs neither a sleep nor a
    // second thread.
    if (!drainUntilClosed(Clock::now() + timeout)) {
        ::kill(pid_, SIGKILL);
        drainUntilClosed(Clock::now() + std::chrono::seconds(10));
        reap();
        return std::nullopt;
    }
    return reap();
}

bool ServerProcess::drainUntilClosed(Clock::time_point deadline) {
    for (;;) {
        pollfd wait{output_, POLLIN, 0};
        const int ready = ::poll(&wait, 1, millisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        char buffer[4096];
        const ssize_t n = ::read(output_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return true;
    }
}

int ServerProcess::reap() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    ::close(output_);
    output_ = -1;
    pid_ = -1;
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

}  // namespace veld::headless
