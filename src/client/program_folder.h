// The program's folder: the text lists of doc/, the saved records of games/ and the sound files
// of wave/. On a desktop where the program is installed read-only, each user gets a folder of
// his own, seeded from the installed defaults.
#pragma once

#include <filesystem>
#include <string>

namespace veld {

// Copies every file of `defaults` (and of its subfolders) that `folder` lacks; files the user
// already has are never replaced. False with a reason when a folder cannot be made or a file
// cannot be copied; what was copied before stays.
bool seedProgramFolder(const std::filesystem::path& defaults, const std::filesystem::path& folder,
                       std::string& error);

enum class FolderCheck {
    ready,
    // doc/ is missing: the program cannot run.
    noDocFolder,
    // games/ could not be created.
    noGamesFolder,
};

// The start-up check of the folder: doc/ must exist; doc/classlist.txt is created empty when it
// is missing; games/ is created when it is missing.
FolderCheck checkProgramFolder(const std::filesystem::path& folder);

}  // namespace veld
