// Where the program folder of this user is, and where the installed defaults it starts from are.
#pragma once

#include <filesystem>
#include <string>

namespace veld::desktop {

// The user's own program folder: <data home>/veld (~/.local/share/veld on Linux). Installed
// programs are read-only to their users, so the folder the program works in is the user's.
std::filesystem::path userProgramFolder();

// The installed defaults: <binary folder>/../share/veld as an installation or a build lays
// them out; the build's own copy for programs that run from elsewhere (tests, tools).
std::filesystem::path installedDefaults();

// The user's program folder, with what the defaults have and it lacks copied in. Problems are
// reported in `error` and leave the folder as it is: the start-up check then tells the user.
std::filesystem::path prepareProgramFolder(std::string& error);

}  // namespace veld::desktop
