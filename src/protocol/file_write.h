// Writing a whole file so that a failure never costs what the file held before.
#pragma once

#include <filesystem>
#include <string_view>

namespace veld {

// Writes the bytes to a temporary file beside path and then puts it in place of path. False when
// anything failed: path then still holds what it held before (or does not exist, as before), and
// no temporary file is left behind.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace veld
