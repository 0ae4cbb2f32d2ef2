#include "server/auth/login_registry.h"

namespace veld::server {

std::optional<LoginTicket> InMemoryLoginRegistry::tryAdd(std::string_view account,
                                                         std::string_view address) {
    std::lock_guard lock(mutex_);
    const LoginTicket ticket = next_;
    if (!logins_.try_emplace(std::string(account), Login{std::string(address), ticket}).second)
        return std::nullopt;
    ++next_;
    return ticket;
}

void InMemoryLoginRegistry::remove(std::string_view account, LoginTicket ticket) {
    std::lock_guard lock(mutex_);
    const auto it = logins_.find(std::string(account));
    if (it != logins_.end() && it->second.ticket == ticket) logins_.erase(it);
}

bool InMemoryLoginRegistry::isLive(std::string_view account) const {
    std::lock_guard lock(mutex_);
    return logins_.contains(std::string(account));
}

bool InMemoryLoginRegistry::isLiveFrom(std::string_view account, std::string_view address) const {
    std::lock_guard lock(mutex_);
    const auto it = logins_.find(std::string(account));
    return it != logins_.end() && it->second.address == address;
}

}  // namespace veld::server
