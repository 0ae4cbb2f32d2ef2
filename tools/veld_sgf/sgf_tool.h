// The commands of veld-sgf: check record files, convert them to standard SGF or to the record
// dialect.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace veld::tool {

// Exit statuses.
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;  // a file failed the check, or could not be read or written
inline constexpr int kUsage = 2;    // the command line is wrong

// Runs the command line args (without the program name). Results go to out, errors and usage
// messages to err; returns the exit status.
int runSgfTool(std::span<const std::string> args, std::ostream& out, std::ostream& err);

std::string usageText();

}  // namespace veld::tool
