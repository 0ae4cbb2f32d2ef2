// veld: the desktop client.
#include <QApplication>
#include <cstdio>

#include "app/main_window.h"
#include "app/program_location.h"
#include "app/qt_settings.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veld"));

    std::string error;
    const auto folder = veld::desktop::prepareProgramFolder(error);
    if (!error.empty()) std::fprintf(stderr, "veld: %s\n", error.c_str());

    veld::desktop::QtSettingsStore settings;
    veld::desktop::MainWindow window(folder, settings);
    if (!window.created()) return 1;
    QObject::connect(&window, &veld::desktop::MainWindow::terminateRequested, &app,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    return app.exec();
}
