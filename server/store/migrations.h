// The numbered schema migrations of the SQLite store. Migration n (1-based) takes the schema
// from version n - 1 to n; a store records its version in the table schema_version. Append new
// migrations at the end; never edit one that has shipped.
#pragma once

#include <span>
#include <string_view>

namespace veld::server {

std::span<const std::string_view> sqliteMigrations();

}  // namespace veld::server
