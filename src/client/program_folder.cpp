#include "client/program_folder.h"

#include <fstream>
#include <system_error>

namespace veld {

namespace fs = std::filesystem;

bool seedProgramFolder(const fs::path& defaults, const fs::path& folder, std::string& error) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = "cannot create " + folder.string() + ": " + ec.message();
        return false;
    }
    fs::recursive_directory_iterator it(defaults, ec), end;
    if (ec) {
        error = "cannot read " + defaults.string() + ": " + ec.message();
        return false;
    }
    for (; it != end; it.increment(ec)) {
        if (ec) break;
        const fs::path target = folder / fs::relative(it->path(), defaults, ec);
        if (ec) break;
        if (it->is_directory(ec)) {
            fs::create_directories(target, ec);
        } else if (!fs::exists(target, ec)) {
            fs::copy_file(it->path(), target, ec);
        }
        if (ec) {
            error = "cannot copy " + it->path().string() + " to " + target.string() + ": " +
                    ec.message();
            return false;
        }
    }
    if (ec) {
        error = "cannot read " + defaults.string() + ": " + ec.message();
        return false;
    }
    return true;
}

FolderCheck checkProgramFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder / "doc", ec)) return FolderCheck::noDocFolder;
    const fs::path classList = folder / "doc" / "classlist.txt";
    if (!fs::exists(classList, ec)) std::ofstream(classList, std::ios::binary);
    fs::create_directories(folder / "games", ec);
    if (!fs::is_directory(folder / "games", ec)) return FolderCheck::noGamesFolder;
    return FolderCheck::ready;
}

}  // namespace veld
