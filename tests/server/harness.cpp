#include "harness.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

#include "protocol/fields.h"
#include "protocol/wire.h"

namespace veld::server::testing {

namespace {

std::filesystem::path makeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "veld-server-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

sockaddr_in loopback(const std::string& address, std::uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    inet_pton(AF_INET, address.c_str(), &a.sin_addr);
    return a;
}

}  // namespace

TestServer::TestServer(int gameServers, const std::function<void(ServerConfig&)>& adjust) {
    config_.dataDir = makeTempDir();
    config_.communityPort = 0;
    for (int i = 0; i < gameServers; ++i)
        config_.gameServers.push_back({0, u"Test " + std::u16string(1, u'1' + i), u"Testing"});
    config_.passwords = PasswordLimits::minimal();
    if (adjust) adjust(config_);
    start();
}

TestServer::~TestServer() {
    app_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(config_.dataDir, ignored);
}

void TestServer::start() {
    std::string error;
    app_ = ServerApp::start(config_, error);
    if (!app_) throw std::runtime_error("server did not start: " + error);
}

void TestServer::restart() {
    app_.reset();
    start();
}

TestClient::TestClient(std::uint16_t port, const std::string& source, int receiveBuffer) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (receiveBuffer > 0)
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    const sockaddr_in from = loopback(source, 0);
    const sockaddr_in to = loopback("127.0.0.1", port);
    if (::bind(fd_, reinterpret_cast<const sockaddr*>(&from), sizeof from) != 0 ||
        ::connect(fd_, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0)
        throw std::runtime_error("cannot connect to the test server");
}

TestClient::~TestClient() {
    close();
}

void TestClient::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void TestClient::send(std::string_view message) {
    sendBytes(packFrame(message));
}

void TestClient::sendBytes(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) return;  // the server closed the connection; the test sees it on reading
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

bool TestClient::receive(std::chrono::milliseconds timeout) {
    if (peerClosed_ || fd_ < 0) return false;
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(timeout.count())) <= 0) return false;
    char buffer[65536];
    const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
    if (n <= 0) {
        peerClosed_ = true;
        return false;
    }
    const auto result =
        FrameReader::socketRead(context_, std::string_view(buffer, static_cast<std::size_t>(n)),
                                [this](std::string_view f) { frames_.emplace_back(f); });
    if (result != ReadResult::Ok) ADD_FAILURE() << "the server sent an unframeable length";
    return true;
}

std::optional<std::string> TestClient::next(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (frames_.empty()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !receive(left)) {
            if (frames_.empty()) return std::nullopt;
        }
    }
    std::string frame = std::move(frames_.front());
    frames_.pop_front();
    return frame;
}

std::optional<std::string> TestClient::nextWith(std::string_view code,
                                                std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        auto frame = next(left);
        if (!frame || codeOf(frame) == code) return frame;
    }
}

bool TestClient::waitClosed(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!peerClosed_) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        receive(left);
    }
    return true;
}

std::string loginMessage(std::string_view name, std::string_view password, std::uint16_t version) {
    return "UG" + wordToBytes(version) + padRight(name, 10) + padRight(password, 10) +
           longToBytes(1028) + std::string(2, '\0');
}

std::string joinMessage(std::string_view name) {
    return "UG" + padRight(name, 10) + wordToBytes(1028) + "A";
}

std::string codeOf(const std::optional<std::string>& frame) {
    return frame && frame->size() >= 4 ? frame->substr(2, 2) : std::string();
}

std::optional<std::string> login(TestClient& client, std::string_view name,
                                 std::string_view password) {
    client.send(loginMessage(name, password));
    return client.nextWith("PX");
}

Player enter(TestServer& server, const std::string& name, std::size_t index) {
    Player p;
    p.community = std::make_unique<TestClient>(server.communityPort());
    const auto px = login(*p.community, name, "secret");
    EXPECT_TRUE(px && px->substr(4, 1) == "0") << name << " was not logged in";
    EXPECT_EQ(codeOf(p.community->next()), "CM");
    p.game = std::make_unique<TestClient>(server.gamePort(index));
    p.game->send(joinMessage(name));
    for (;;) {
        auto frame = p.game->next();
        if (!frame) {
            ADD_FAILURE() << name << " did not get the whole join";
            break;
        }
        p.joinFrames.push_back(*frame);
        if (codeOf(frame) == "OK") {
            EXPECT_EQ(frame->substr(4, 1), "0") << name << " was not joined";
            p.uid = bytesToWord(frame->substr(5, 2));
        }
        if (codeOf(frame) == "W3") break;
    }
    return p;
}

}  // namespace veld::server::testing
