#include "server/auth/passwords.h"

#include <sodium.h>

#include <stdexcept>

namespace veld::server {

PasswordLimits PasswordLimits::interactive() {
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

PasswordLimits PasswordLimits::minimal() {
    return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

PasswordHasher::PasswordHasher(PasswordLimits limits) : limits_(limits) {
    if (sodium_init() < 0) throw std::runtime_error("libsodium cannot start");
}

std::string PasswordHasher::hash(std::string_view password) const {
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, password.data(), password.size(), limits_.opsLimit,
                              limits_.memLimit, crypto_pwhash_ALG_ARGON2ID13) != 0)
        return {};
    return out;
}

bool PasswordHasher::verify(std::string_view hash, std::string_view password) const {
    if (hash.empty() || hash.size() >= crypto_pwhash_STRBYTES) return false;
    const std::string terminated(hash);
    return crypto_pwhash_str_verify(terminated.c_str(), password.data(), password.size()) == 0;
}

std::string_view passwordFromField(std::string_view field) {
    const std::size_t end = field.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : field.substr(0, end + 1);
}

bool isAcceptablePassword(std::string_view password) {
    return password.size() >= 2 && password.size() <= 10;
}

}  // namespace veld::server
