#include "server/community/community_service.h"

#include <stdexcept>

#include "server/community/server_list.h"

namespace veld::server {

CommunitySession::CommunitySession(CommunityService& service, std::shared_ptr<ClientLink> link)
    : FrameSession(std::move(link), service.scheduler(), service.sessionLimits()),
      service_(service) {}

void CommunitySession::bind(Account account, LoginTicket ticket) {
    account_ = std::move(account);
    ticket_ = ticket;
}

Binding CommunitySession::binding() const {
    return account_ ? Binding::Bound : Binding::Unbound;
}

DispatchOutcome CommunitySession::handleFrame(std::string_view frame) {
    return service_.table().dispatch(*this, frame, binding());
}

void CommunitySession::closed() {
    if (account_) service_.registry().remove(account_->name, ticket_);
}

CommunityService::CommunityService(Storage& storage, LoginRegistry& registry, Scheduler& scheduler,
                                   CommunityConfig config)
    : storage_(storage),
      registry_(registry),
      scheduler_(scheduler),
      config_(std::move(config)),
      hasher_(config_.passwords),
      throttle_(config_.throttle) {
    const auto list = buildServerList(config_.gameServers);
    if (!list) throw std::logic_error("the game-server list cannot be announced");
    serverList_ = *list;
    decoyHash_ = hasher_.hash("");
    addLoginHandlers(*this);
    addNameListHandlers(*this);
}

std::shared_ptr<ConnectionHandler> CommunityService::open(std::shared_ptr<ClientLink> link) {
    auto session = std::make_shared<CommunitySession>(*this, std::move(link));
    session->start();
    return session;
}

}  // namespace veld::server
