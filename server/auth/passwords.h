// Password hashing with argon2id (libsodium). Hashes are self-describing strings: verification
// reads the cost from the hash, so the limits can be raised later without breaking old hashes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace veld::server {

struct PasswordLimits {
    unsigned long long opsLimit;
    std::size_t memLimit;
    // libsodium's interactive limits: the production setting.
    static PasswordLimits interactive();
    // The smallest limits argon2id accepts: for tests and fuzzing only.
    static PasswordLimits minimal();
};

class PasswordHasher {
  public:
    explicit PasswordHasher(PasswordLimits limits);
    // The argon2id hash string of the password; empty when hashing failed (out of memory).
    std::string hash(std::string_view password) const;
    // True when the password matches the hash; false for a wrong password or a malformed hash.
    bool verify(std::string_view hash, std::string_view password) const;

  private:
    PasswordLimits limits_;
};

// The password bytes of a 10-byte password field: the client pads with spaces, so trailing
// spaces are padding, not part of the password.
std::string_view passwordFromField(std::string_view field);
// A password the server accepts for a new account or a change: 2 to 10 bytes after the padding
// is removed.
bool isAcceptablePassword(std::string_view password);

}  // namespace veld::server
