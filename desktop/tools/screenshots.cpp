// veld-screenshots: saves PNGs of the main window for people reviewing the look.
//   veld-screenshots OUTDIR COMMUNITY_PORT [NAME PASSWORD] [RECORD]
// Logs in to the community server on 127.0.0.1:COMMUNITY_PORT (a running veld-server), joins its
// first game server and saves before-login.png, login.png, servers.png and lobby.png. With a
// record file it also opens the record in the study room, goes to move 60 and saves study.png,
// and prints the record in diagrams of 50 moves to diagrams.pdf. Runs on any Qt platform;
// QT_QPA_PLATFORM=offscreen needs no display.
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/automation.h"
#include "app/login_dialog.h"
#include "app/main_window.h"
#include "app/program_location.h"
#include "app/text.h"
#include "board/qt_printer.h"
#include "client/app_lifecycle.h"
#include "client/client.h"
#include "client/program_folder.h"
#include "client/session_settings.h"
#include "study/study_room_page.h"

namespace {

// Milliseconds since this process started (Linux: its start time in clock ticks after boot).
double processAgeMs() {
    std::ifstream stat("/proc/self/stat"), uptime("/proc/uptime");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command name, which is in parentheses and may hold spaces.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    double upSeconds = 0;
    uptime >> upSeconds;
    const double startSeconds = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return (upSeconds - startSeconds) * 1000.0;
}

bool save(QWidget* widget, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name);
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "veld-screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Boxes of a run without a person: their texts go to the error output.
class StderrBoxes final : public veld::Dialogs {
  public:
    void showWarning(std::u16string_view text) override { print(text); }
    void showInformation(std::u16string_view text) override { print(text); }
    bool confirm(std::u16string_view text) override {
        print(text);
        return false;
    }
    void showMessage(std::u16string_view text) override { print(text); }
    bool showLogin(veld::LoginDialogModel&) override { return false; }
    bool showPasswordChange(veld::PasswordDialogModel&) override { return false; }

  private:
    static void print(std::u16string_view text) {
        std::fprintf(stderr, "veld-screenshots: %s\n", qPrintable(veld::desktop::qs(text)));
    }
};

// The study room as a person opens a record in it: the user brings the page forward, the record
// comes from the open dialog, and the navigation goes to move 60.
bool studyRoom(veld::desktop::MainWindow& window, const QString& out, const char* record) {
    using namespace veld;
    window.pages()->setCurrentWidget(window.page(Page::StudyRoom));
    desktop::StudyRoomPage& study = *window.studyRoom();
    desktop::answerNextFileDialog({QFileInfo(QString::fromLocal8Bit(record)).absoluteFilePath()});
    study.files().openFiles(false);
    GoBrowser* shown = study.rooms().shownWindow(Room::study);
    if (!shown || shown->fileName.empty()) {
        std::fprintf(stderr, "veld-screenshots: %s did not open\n", record);
        return false;
    }
    for (int i = 0; i < 6; ++i) study.navigate(NavCommand::fastForward);
    desktop::waitFor([] { return false; }, 300);
    bool ok = save(&window, out, QStringLiteral("study.png"));
    const QString pdf = QDir(out).filePath(QStringLiteral("diagrams.pdf"));
    StderrBoxes boxes;
    ok &= desktop::printToPdf(pdf, [&](Printer& printer) {
        return printDiagrams(printSource(*shown), 50, printer, boxes);
    });
    std::printf("%s\n", qPrintable(pdf));
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veld"));
    if (argc != 3 && argc != 5 && argc != 6) {
        std::fprintf(stderr,
                     "usage: veld-screenshots OUTDIR COMMUNITY_PORT [NAME PASSWORD] [RECORD]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString name = argc >= 5 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("viewer");
    const QString password =
        argc >= 5 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral("viewer1");

    QTemporaryDir folder;
    std::string error;
    if (!veld::seedProgramFolder(veld::desktop::installedDefaults(), folder.path().toStdString(),
                                 error)) {
        std::fprintf(stderr, "veld-screenshots: %s\n", error.c_str());
        return 1;
    }
    veld::SessionSettings settings;
    settings.writeString("comhost", "127.0.0.1");
    settings.writeString("comport", argv[2]);

    veld::desktop::MainWindow window(folder.path().toStdString(), settings);
    window.resize(1280, 800);
    bool ok = true;
    // The window as it comes up: the login dialog opens on its first activation.
    bool loginSeen = false;
    veld::desktop::whenLoginDialog([&](veld::desktop::LoginDialog* login) {
        loginSeen = true;
        std::printf("login dialog open %.0f ms after the process started\n", processAgeMs());
        ok &= save(&window, out, QStringLiteral("before-login.png"));
        login->nameEdit()->setText(name);
        login->passwordEdit()->setText(password);
        ok &= save(login, out, QStringLiteral("login.png"));
        login->accept();
    });
    window.show();
    if (!veld::desktop::waitFor([&] { return loginSeen; }, 10000)) {
        std::fprintf(stderr, "veld-screenshots: the login dialog did not open\n");
        return 1;
    }
    if (!veld::desktop::waitFor([&] { return window.serverList()->count() > 0; }, 10000)) {
        std::fprintf(stderr, "veld-screenshots: no server list from 127.0.0.1:%s\n", argv[2]);
        return 1;
    }
    ok &= save(&window, out, QStringLiteral("servers.png"));
    window.client().gameServers().serverClicked(0);
    if (!veld::desktop::waitFor([&] { return window.shell().isPageActive(veld::Page::Lobby); },
                                10000)) {
        std::fprintf(stderr, "veld-screenshots: the lobby did not open\n");
        return 1;
    }
    veld::desktop::waitFor([] { return false; }, 300);
    ok &= save(&window, out, QStringLiteral("lobby.png"));
    if (argc == 6) ok &= studyRoom(window, out, argv[5]);
    return ok ? 0 : 1;
}
