// The desktop tests run on Qt's offscreen platform, with the settings and data folders of a
// temporary home, so they need no display and leave the user's own settings alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// Leaks inside the platform's font and Qt libraries at exit are theirs, not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6\nleak:libglib\nleak:libdbus\n";
}

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The interface language of the service's home market (window caption "Veld").
    qputenv("LC_ALL", "zh_TW.UTF-8");
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veld"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
