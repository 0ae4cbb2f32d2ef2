// Hostile clients against both servers' protocol logic, driven without sockets: bytes in,
// messages out, time and deferred work run by hand. A well-behaved client logged in and joined
// beside them must keep working whatever they send.
//
// Input: one byte of server policy, then operations: an operation byte, and for the ones that
// send, a 2-byte length and that many bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "protocol/fields.h"
#include "protocol/frame.h"
#include "protocol/wire.h"
#include "server/auth/login_registry.h"
#include "server/community/community_service.h"
#include "server/game/game_service.h"
#include "server/store/sqlite_storage.h"

using namespace veld;
using namespace veld::server;

namespace {

void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "check failed: %s\n", what);
    __builtin_trap();
}

class FakeLink final : public ClientLink {
  public:
    explicit FakeLink(std::string address, bool keep) : address_(std::move(address)), keep_(keep) {}
    void send(std::string_view message) override {
        check(message.size() <= kMaxMessageBytes, "message fits a frame");
        if (open_ && keep_) sent.emplace_back(message);
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    const std::string& address() const override { return address_; }

    std::deque<std::string> sent;

  private:
    std::string address_;
    bool keep_;
    bool open_ = true;
};

class ManualScheduler final : public Scheduler {
  public:
    TimePoint now() const override { return clock_; }
    void after(std::chrono::milliseconds delay, Task task) override {
        timers_.emplace(clock_ + delay, std::move(task));
    }
    void offload(Task work, Task done) override {
        jobs_.emplace_back(std::move(work), std::move(done));
    }

    void advance(std::chrono::milliseconds by) { clock_ += by; }
    // Runs the offloaded work and the timers that are due, until none is left.
    void run() {
        for (int round = 0; round < 10000; ++round) {
            if (!jobs_.empty()) {
                auto [work, done] = std::move(jobs_.front());
                jobs_.pop_front();
                work();
                done();
            } else if (!timers_.empty() && timers_.begin()->first <= clock_) {
                auto task = std::move(timers_.begin()->second);
                timers_.erase(timers_.begin());
                task();
            } else {
                return;
            }
        }
    }

  private:
    TimePoint clock_{};
    std::multimap<TimePoint, Task> timers_;
    std::deque<std::pair<Task, Task>> jobs_;
};

// One simulated connection: the transport's part (onClosed once, after the fact).
struct Connection {
    std::shared_ptr<FakeLink> link;
    std::shared_ptr<ConnectionHandler> handler;
    bool notified = false;

    Connection(Service& service, const std::string& address, bool keep)
        : link(std::make_shared<FakeLink>(address, keep)), handler(service.open(link)) {}
    void deliverClose() {
        if (!link->isOpen() && !notified) {
            notified = true;
            handler->onClosed();
        }
    }
    void close() {
        link->close();
        deliverClose();
    }
};

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string bytes() {
        const std::size_t n = std::min<std::size_t>((byte() << 8 | byte()) & 0x1FFF, size_ - pos_);
        std::string out(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return out;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

std::string loginMessage(std::string_view name, std::string_view password) {
    return "UG" + wordToBytes(31702) + padRight(name, 10) + padRight(password, 10) +
           longToBytes(1028) + std::string(2, '\0');
}

// The well-behaved client: still answered on both servers. It sends at most one frame a second
// to each server, well inside the frame rate.
void checkGoodClient(ManualScheduler& scheduler, Connection& community, Connection& game,
                     std::uint16_t uid) {
    scheduler.advance(std::chrono::seconds(1));
    scheduler.run();
    check(community.link->isOpen(), "community link open");
    check(game.link->isOpen(), "game link open");
    community.link->sent.clear();
    game.link->sent.clear();
    community.handler->onBytes(packFrame("QXQ"));
    const std::string me = wordToBytes(uid);
    const std::string ping = "PP" + me + me + "FMping";
    game.handler->onBytes(packFrame(ping));
    scheduler.run();
    check(!community.link->sent.empty() && community.link->sent.back().substr(0, 2) == "QX",
          "community answers");
    check(!game.link->sent.empty() && game.link->sent.back() == ping, "game relays");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const std::uint8_t policyBits = input.byte();

    std::string error;
    auto storage = SqliteStorage::open(":memory:", error);
    check(storage != nullptr, "storage opens");
    InMemoryLoginRegistry registry;
    ManualScheduler scheduler;

    CommunityConfig cc;
    cc.passwords = PasswordLimits::minimal();
    cc.policy.maintenance = policyBits & 1;
    cc.policy.temporaryClosed = policyBits & 2;
    cc.policy.registration = static_cast<Registration>((policyBits >> 2) % 3);
    cc.gameServers.push_back({"127.0.0.1", 1, u"game", u"fuzz"});
    CommunityService community(*storage, registry, scheduler, cc);
    GameConfig gc;
    gc.policy.playersPerMessage = 2;
    gc.policy.notice = "notice";
    GameService game(*storage, registry, scheduler, gc);

    // The good client is a chief administrator, so that maintenance lets him in too.
    const std::string goodAddress = "10.0.0.1";
    Account good;
    good.name = "good";
    good.passwordHash = PasswordHasher(cc.passwords).hash("secret");
    good.privilege = kChiefPrivilege;
    check(storage->createAccount(good).has_value(), "good account");
    Connection goodCommunity(community, goodAddress, true);
    goodCommunity.handler->onBytes(packFrame(loginMessage("good", "secret")));
    scheduler.run();
    check(goodCommunity.link->sent.size() == 2 && goodCommunity.link->sent[0] == "PX0A",
          "good login");
    Connection goodGame(game, goodAddress, true);
    goodGame.handler->onBytes(packFrame("UG" + padRight("good", 10) + wordToBytes(1028) + "A"));
    check(!goodGame.link->sent.empty() && goodGame.link->sent[0].substr(0, 3) == "OK0",
          "good join");
    const std::uint16_t goodUid = bytesToWord(goodGame.link->sent[0].substr(3, 2));

    const std::string hostileAddress = (policyBits & 0x10) ? goodAddress : "10.0.0.2";
    constexpr std::size_t kSlots = 3;
    std::unique_ptr<Connection> hostile[2][kSlots];
    auto slot = [&](int server, std::size_t k) -> Connection& {
        auto& c = hostile[server][k % kSlots];
        if (!c || c->notified) {
            if (c) c->close();
            Service& service = server == 0 ? static_cast<Service&>(community) : game;
            c = std::make_unique<Connection>(service, hostileAddress, false);
        }
        return *c;
    };

    for (int steps = 0; !input.empty() && steps < 2000; ++steps) {
        const std::uint8_t op = input.byte();
        switch (op % 6) {
            case 0:
            case 1: {
                Connection& c = slot(op % 2, input.byte());
                c.handler->onBytes(input.bytes());
                break;
            }
            case 2: {
                const int server = input.byte() % 2;
                slot(server, input.byte()).close();
                break;
            }
            case 3:
                scheduler.advance(std::chrono::milliseconds(100) * input.byte());
                break;
            case 4:
                checkGoodClient(scheduler, goodCommunity, goodGame, goodUid);
                break;
            default:
                break;
        }
        scheduler.run();
        for (auto& server : hostile)
            for (auto& c : server)
                if (c) c->deliverClose();
    }
    checkGoodClient(scheduler, goodCommunity, goodGame, goodUid);
    for (auto& server : hostile)
        for (auto& c : server)
            if (c) c->close();
    scheduler.advance(std::chrono::hours(1));
    scheduler.run();
    goodGame.close();
    goodCommunity.close();
    return 0;
}
