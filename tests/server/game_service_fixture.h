// One game server's protocol logic without sockets: an in-memory store, players joined through
// their real "UG" frames, and every message the server queues for each of them.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/fields.h"
#include "protocol/frame.h"
#include "protocol/wire.h"
#include "server/auth/login_registry.h"
#include "server/game/game_service.h"
#include "server/store/sqlite_storage.h"

namespace veld::server::testing {

// A link that keeps what it is sent (messages, without the length prefix).
class RecordingLink final : public ClientLink {
  public:
    explicit RecordingLink(std::string address) : address_(std::move(address)) {}
    void send(std::string_view message) override {
        if (open_) sent.emplace_back(message);
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    const std::string& address() const override { return address_; }

    // The messages with this code, in order; they stay in `sent`.
    std::vector<std::string> with(std::string_view code) const {
        std::vector<std::string> found;
        for (const std::string& m : sent)
            if (m.substr(0, 2) == code) found.push_back(m);
        return found;
    }

    std::deque<std::string> sent;

  private:
    std::string address_;
    bool open_ = true;
};

// Time stands still; deferred work runs at once.
class StillScheduler final : public Scheduler {
  public:
    TimePoint now() const override { return {}; }
    void after(std::chrono::milliseconds, Task) override {}
    void offload(Task work, Task done) override {
        work();
        done();
    }
};

class GameServiceFixture : public ::testing::Test {
  protected:
    struct Joined {
        std::shared_ptr<RecordingLink> link;
        std::shared_ptr<ConnectionHandler> handler;
        std::uint16_t uid = 0;
    };

    GameServiceFixture() {
        std::string error;
        storage_ = SqliteStorage::open(":memory:", error);
        if (!storage_) throw std::runtime_error(error);
        service_ = std::make_unique<GameService>(*storage_, registry_, scheduler_, GameConfig{});
    }

    // Creates the account when it is new (`adjust` may change it first), logs it in from its
    // own address and joins it; its link is emptied after the join unless `keepJoin`.
    Joined join(const std::string& name, bool keepJoin = false,
                const std::function<void(Account&)>& adjust = nullptr) {
        if (!storage_->findAccount(name)) {
            Account a;
            a.name = name;
            a.passwordHash = "$argon2id$x";
            if (adjust) adjust(a);
            EXPECT_TRUE(storage_->createAccount(a));
        }
        const std::string address = "10.0.0." + std::to_string(++addresses_);
        EXPECT_TRUE(registry_.tryAdd(name, address));
        Joined j;
        j.link = std::make_shared<RecordingLink>(address);
        j.handler = service_->open(j.link);
        j.handler->onBytes(packFrame("UG" + padRight(name, 10) + wordToBytes(1028) + "A"));
        const auto ok = j.link->with("OK");
        EXPECT_TRUE(!ok.empty() && ok[0][2] == '0') << name << " was not joined";
        if (!ok.empty()) j.uid = bytesToWord(ok[0].substr(3, 2));
        if (!keepJoin) j.link->sent.clear();
        return j;
    }

    InMemoryLoginRegistry registry_;
    StillScheduler scheduler_;
    std::unique_ptr<SqliteStorage> storage_;
    std::unique_ptr<GameService> service_;

  private:
    int addresses_ = 0;
};

}  // namespace veld::server::testing
