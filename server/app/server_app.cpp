#include "server/app/server_app.h"

#include <chrono>
#include <future>
#include <list>
#include <thread>

#include "server/auth/login_registry.h"
#include "server/community/server_list.h"
#include "server/net/asio_scheduler.h"
#include "server/net/tcp_server.h"
#include "server/store/sqlite_storage.h"

namespace veld::server {

namespace {

// One server on its own thread. Members are destroyed in reverse order: the transport (and the
// connections it holds) before the service their handlers refer to, the io_context last.
struct Unit {
    Unit(asio::thread_pool& workers) : scheduler(io, workers) {}

    asio::io_context io;
    asio::executor_work_guard<asio::io_context::executor_type> work = asio::make_work_guard(io);
    AsioScheduler scheduler;
    std::unique_ptr<Service> service;
    std::unique_ptr<TcpServer> tcp;
    std::thread thread;
    std::future<void> finished;

    void run() {
        std::promise<void> done;
        finished = done.get_future();
        thread = std::thread([this, done = std::move(done)]() mutable {
            io.run();
            done.set_value();
        });
    }
};

std::string endpointText(const asio::ip::tcp::endpoint& e) {
    const auto address = e.address();
    std::string text;
    if (address.is_v6()) text += '[';
    text += address.to_string();
    if (address.is_v6()) text += ']';
    text += ':';
    text += std::to_string(e.port());
    return text;
}

std::string announcedAddress(const ServerConfig& config) {
    if (!config.announceAddress.empty()) return config.announceAddress;
    std::error_code ec;
    const auto listen = asio::ip::make_address(config.listenAddress, ec);
    if (ec || listen.is_unspecified() || !listen.is_v4()) return "127.0.0.1";
    return config.listenAddress;
}

bool applyGrants(Storage& storage, const std::vector<Grant>& grants, std::string& error) {
    for (const Grant& grant : grants) {
        auto account = storage.findAccount(grant.name);
        if (!account) {
            error = "--grant: no account named " + grant.name;
            return false;
        }
        account->privilege = grant.privilege;
        if (!storage.updateAccount(*account)) {
            error = "--grant: cannot store the privilege of " + grant.name;
            return false;
        }
    }
    return true;
}

bool applyRanks(Storage& storage, const std::vector<RankSetting>& ranks, std::string& error) {
    for (const RankSetting& rank : ranks) {
        const auto account = storage.findAccount(rank.name);
        if (!account) {
            error = "--rank: no account named " + rank.name;
            return false;
        }
        if (!storage.setRankCode(account->id, rank.rankCode)) {
            error = "--rank: cannot store the rank of " + rank.name;
            return false;
        }
    }
    return true;
}

}  // namespace

struct ServerApp::Impl {
    std::unique_ptr<SqliteStorage> storage;
    InMemoryLoginRegistry registry;
    asio::thread_pool workers;
    std::list<Unit> units;  // game servers first, the community server last
    bool stopped = false;

    explicit Impl(unsigned hashThreads) : workers(hashThreads == 0 ? 1 : hashThreads) {}

    bool listen(Unit& unit, const ServerConfig& config, std::uint16_t port, std::string& error) {
        unit.tcp = std::make_unique<TcpServer>(unit.io, *unit.service, config.transport);
        if (!unit.tcp->listen(config.listenAddress, port, error)) return false;
        unit.tcp->start();
        return true;
    }

    void stop() {
        if (stopped) return;
        stopped = true;
        for (Unit& unit : units) {
            asio::post(unit.io, [&unit] {
                if (unit.tcp) unit.tcp->stop();
                unit.scheduler.stop();
            });
        }
        // Hashing under way finishes; queued hashing is dropped.
        workers.stop();
        workers.join();
        for (Unit& unit : units) unit.work.reset();
        for (Unit& unit : units) {
            if (!unit.thread.joinable()) continue;
            // Closing connections takes a few turns of the loop; a loop that does not come to
            // rest is stopped rather than waited for.
            if (unit.finished.wait_for(std::chrono::seconds(5)) != std::future_status::ready)
                unit.io.stop();
            unit.thread.join();
        }
    }
};

ServerApp::ServerApp(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

ServerApp::~ServerApp() {
    stop();
}

void ServerApp::stop() {
    impl_->stop();
}

Storage& ServerApp::storage() {
    return *impl_->storage;
}

std::unique_ptr<ServerApp> ServerApp::start(const ServerConfig& config, std::string& error) {
    auto impl = std::make_unique<Impl>(config.hashThreads);
    std::error_code ec;
    std::filesystem::create_directories(config.dataDir, ec);
    if (ec) {
        error = "cannot create " + config.dataDir.string() + ": " + ec.message();
        return nullptr;
    }
    impl->storage = SqliteStorage::open((config.dataDir / "veld.db").string(), error);
    if (!impl->storage || !applyGrants(*impl->storage, config.grants, error) ||
        !applyRanks(*impl->storage, config.ranks, error))
        return nullptr;

    std::unique_ptr<ServerApp> app(new ServerApp(std::move(impl)));
    Impl& in = *app->impl_;
    const std::string announce = announcedAddress(config);
    CommunityConfig community{
        config.community, config.session, config.passwords, config.throttle, {}};
    std::vector<std::string> gameEndpoints;
    for (const GameServerSettings& settings : config.gameServers) {
        Unit& unit = in.units.emplace_back(in.workers);
        unit.service = std::make_unique<GameService>(*in.storage, in.registry, unit.scheduler,
                                                     GameConfig{config.game, config.session});
        if (!in.listen(unit, config, settings.port, error)) return nullptr;
        const auto endpoint = unit.tcp->localEndpoint();
        app->gamePorts_.push_back(endpoint.port());
        gameEndpoints.push_back(endpointText(endpoint));
        community.gameServers.push_back(
            {announce, endpoint.port(), settings.name, settings.description});
    }
    if (!buildServerList(community.gameServers)) {
        error =
            "the game-server list cannot be announced: the announced address must be IPv4 "
            "and the names and descriptions short";
        return nullptr;
    }
    Unit& unit = in.units.emplace_back(in.workers);
    unit.service = std::make_unique<CommunityService>(*in.storage, in.registry, unit.scheduler,
                                                      std::move(community));
    if (!in.listen(unit, config, config.communityPort, error)) return nullptr;
    app->communityPort_ = unit.tcp->localEndpoint().port();
    app->endpoints_.push_back(endpointText(unit.tcp->localEndpoint()));
    app->endpoints_.insert(app->endpoints_.end(), gameEndpoints.begin(), gameEndpoints.end());

    for (Unit& u : in.units) u.run();
    return app;
}

}  // namespace veld::server
