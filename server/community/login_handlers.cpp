// "UG" (login) and "US" (password change) on the community server.
//
// A login is answered by "PX" with one result character at position 5:
//   "0" + class letter  accepted ("PX" 6 = the account class), followed by "CM"
//   "1"  the account is logged in already
//   "2"  wrong password, or no such account while registration is off
//   "3"  a name or password that cannot be used, or another protocol version
//   "4"  no game server to join
//   "7"  maintenance: only chief administrators get in
//   "C"  temporary accounts are closed
// The password is checked off the event loop, after the throttle's wait; frames that arrive
// meanwhile are held so that "PX" and "CM" come before any other reply.
#include <sodium.h>

#include <memory>
#include <string>

#include "protocol/frame_fields.h"
#include "protocol/wire.h"
#include "server/auth/account_names.h"
#include "server/community/community_service.h"

namespace veld::server {

namespace {

struct LoginAttempt {
    std::string name;
    std::string password;
    std::uint32_t languageId = 0;
    std::optional<Account> account;
    // Set off the event loop.
    bool verified = false;
    std::string newHash;

    ~LoginAttempt() { sodium_memzero(password.data(), password.size()); }
};

void reply(CommunitySession& session, char result) {
    session.send(std::string("PX") + result);
}

char classForNewAccounts(const CommunityPolicy& policy) {
    return policy.registration == Registration::Temporary ? kTemporaryClass : kMemberClass;
}

bool mayRegister(const CommunityPolicy& policy) {
    return policy.registration != Registration::Off && !policy.maintenance;
}

// Accepts the login: the connection is bound to the account and gets "PX" and "CM".
void accept(CommunityService& service, CommunitySession& session, Account account) {
    const auto ticket = service.registry().tryAdd(account.name, session.address());
    if (!ticket) return reply(session, '1');
    const char accountClass = account.accountClass;
    session.bind(std::move(account), *ticket);
    session.send(std::string("PX0") + accountClass);
    session.send(service.serverListMessage());
}

void finishKnown(CommunityService& service, CommunitySession& session, LoginAttempt& attempt) {
    const CommunityPolicy& policy = service.policy();
    Account& account = *attempt.account;
    if (!attempt.verified) {
        service.throttle().failed(account.name, session.address(), service.scheduler().now());
        // During maintenance every refusal reads "7", so the answer does not tell which
        // accounts may log in.
        return reply(session, policy.maintenance ? '7' : '2');
    }
    service.throttle().succeeded(account.name);
    if (policy.maintenance && account.privilege < kChiefPrivilege) return reply(session, '7');
    if (policy.temporaryClosed && isTemporaryClass(account.accountClass))
        return reply(session, 'C');
    if (!service.hasGameServers()) return reply(session, '4');
    if (account.languageId != attempt.languageId &&
        service.storage().setLanguageId(account.id, attempt.languageId))
        account.languageId = attempt.languageId;
    accept(service, session, std::move(account));
}

// Registration: the name is free and the policy allows it; newHash holds the password's hash.
void finishNew(CommunityService& service, CommunitySession& session, LoginAttempt& attempt) {
    if (attempt.newHash.empty()) return reply(session, '3');
    Account account;
    account.name = attempt.name;
    account.passwordHash = attempt.newHash;
    account.accountClass = classForNewAccounts(service.policy());
    account.languageId = attempt.languageId;
    account.privilege = service.policy().newAccountPrivilege;
    auto created = service.storage().createAccount(account);
    if (!created) return reply(session, '3');
    accept(service, session, std::move(*created));
}

// Runs after the throttle's wait: decides what has to be hashed, hashes it off the loop, then
// answers on the loop.
void checkPassword(CommunityService& service, const std::weak_ptr<CommunitySession>& weak,
                   const std::shared_ptr<LoginAttempt>& attempt) {
    const auto session = weak.lock();
    if (!session || !session->isOpen()) return;
    const CommunityPolicy& policy = service.policy();
    attempt->account = service.storage().findAccount(attempt->name);

    auto done = [&service, weak, attempt, finish = attempt->account ? finishKnown : finishNew] {
        const auto s = weak.lock();
        if (!s || !s->isOpen()) return;
        finish(service, *s, *attempt);
        s->releaseFrames();
    };
    const PasswordHasher& hasher = service.hasher();
    if (attempt->account) {
        service.scheduler().offload(
            [&hasher, attempt] {
                attempt->verified =
                    hasher.verify(attempt->account->passwordHash, attempt->password);
            },
            std::move(done));
        return;
    }
    if (policy.registration == Registration::Off) {
        // Answer as slowly as a wrong password would.
        const std::string& decoy = service.decoyHash();
        service.scheduler().offload([&hasher, &decoy, attempt] { hasher.verify(decoy, "-"); },
                                    [&service, weak, attempt] {
                                        const auto s = weak.lock();
                                        if (!s || !s->isOpen()) return;
                                        service.throttle().failed("", s->address(),
                                                                  service.scheduler().now());
                                        reply(*s, service.policy().maintenance ? '7' : '2');
                                        s->releaseFrames();
                                    });
        return;
    }
    char refusal = 0;
    if (!mayRegister(policy))
        refusal = '7';
    else if (!isRegistrableName(attempt->name) || !isAcceptablePassword(attempt->password))
        refusal = '3';
    else if (policy.temporaryClosed && isTemporaryClass(classForNewAccounts(policy)))
        refusal = 'C';
    else if (!service.hasGameServers())
        refusal = '4';
    if (refusal) {
        reply(*session, refusal);
        return session->releaseFrames();
    }
    service.scheduler().offload(
        [&hasher, attempt] { attempt->newHash = hasher.hash(attempt->password); }, std::move(done));
}

void onLogin(CommunityService& service, CommunitySession& session, std::string_view frame) {
    const auto name = accountNameFromField(frameField(frame, 7, 10));
    if (frameWord(frame, 5) != kLoginProtocolVersion || !name) return reply(session, '3');
    auto attempt = std::make_shared<LoginAttempt>();
    attempt->name = *name;
    attempt->password = std::string(passwordFromField(frameField(frame, 17, 10)));
    attempt->languageId = bytesToLong(frameField(frame, 27, 4));
    // Positions 31-32 are reserved: clients send zeros, and the server does not read them.

    const bool known = service.storage().findAccount(*name).has_value();
    const auto wait =
        service.throttle().admit(known ? *name : "", session.address(), service.scheduler().now());
    session.holdFrames();
    service.scheduler().after(wait, [&service, weak = session.weak(), attempt] {
        checkPassword(service, weak, attempt);
    });
}

// "US" + name10 + new password10: a new password for the logged-in account. A name other than
// the connection's own, or an unusable password, is dropped without a reply. The reply repeats
// the request's fields once the new hash is stored.
void onChangePassword(CommunityService& service, CommunitySession& session,
                      std::string_view frame) {
    const Account& account = *session.account();
    if (trimSpaces(frameField(frame, 5, 10)) != account.name) return;
    const std::string fields(frameField(frame, 5, 20));
    auto password = std::make_shared<std::string>(passwordFromField(frameField(frame, 15, 10)));
    if (!isAcceptablePassword(*password)) return;

    auto hash = std::make_shared<std::string>();
    const PasswordHasher& hasher = service.hasher();
    session.holdFrames();
    service.scheduler().offload(
        [&hasher, password, hash] {
            *hash = hasher.hash(*password);
            sodium_memzero(password->data(), password->size());
        },
        [&service, weak = session.weak(), id = account.id, hash, fields] {
            // The change is stored even when the client has gone: it asked for it.
            const bool stored = !hash->empty() && service.storage().setPasswordHash(id, *hash);
            const auto s = weak.lock();
            if (!s || !s->isOpen()) return;
            if (stored) s->send("US" + fields);
            s->releaseFrames();
        });
}

}  // namespace

void addLoginHandlers(CommunityService& service) {
    auto& table = service.table();
    table.add("UG", Binding::Unbound, 32,
              [&service](CommunitySession& s, std::string_view f) { onLogin(service, s, f); });
    table.add("US", Binding::Bound, 24, [&service](CommunitySession& s, std::string_view f) {
        onChangePassword(service, s, f);
    });
}

}  // namespace veld::server
