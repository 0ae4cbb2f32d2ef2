#include "app/program_location.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include "client/program_folder.h"

namespace veld::desktop {

namespace fs = std::filesystem;

fs::path userProgramFolder() {
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return fs::path(home.toStdString()) / "veld";
}

fs::path installedDefaults() {
    std::error_code ec;
    const fs::path beside =
        fs::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "share" / "veld";
    if (fs::is_directory(beside / "doc", ec)) return fs::weakly_canonical(beside, ec);
    return fs::path(VELD_BUILD_DEFAULTS);
}

fs::path prepareProgramFolder(std::string& error) {
    const fs::path folder = userProgramFolder();
    seedProgramFolder(installedDefaults(), folder, error);
    return folder;
}

}  // namespace veld::desktop
