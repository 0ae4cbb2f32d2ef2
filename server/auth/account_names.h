// Account names as they travel: 10 bytes of code-page-950 text, padded with spaces.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veld::server {

// The account name carried by a 10-byte name field: the field without its padding. nullopt for
// a field that no client of ours sends: leading spaces, control bytes (the client cuts text at
// a NUL), fewer than 2 bytes, or the reserved names "sys" (owner of the system topics) and "NA"
// (the empty judgement text).
std::optional<std::string> accountNameFromField(std::string_view field);
// Stricter rule for names that become new accounts: also no inner spaces, which would split
// the space-separated texts that carry names.
bool isRegistrableName(std::string_view name);

}  // namespace veld::server
