// veld-settings: the client's settings from a shell.
//   veld-settings get NAME
//   veld-settings set NAME VALUE
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#include "app/qt_settings.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    veld::desktop::QtSettingsStore settings;
    if (argc == 3 && std::strcmp(argv[1], "get") == 0) {
        std::printf("%s\n", settings.readString(argv[2]).c_str());
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "set") == 0) {
        settings.writeString(argv[2], argv[3]);
        return 0;
    }
    std::fprintf(stderr, "usage: veld-settings get NAME | set NAME VALUE\n");
    return 2;
}
