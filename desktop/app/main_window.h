// The main window "Veld": composes the pages, menus and status bars, implements the core's ports
// through its adapters, and forwards window events to the core's AppLifecycle.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <memory>

#include "app/qt_shell.h"
#include "study/navigation.h"

class QSplitter;
class QTextBrowser;
class QCloseEvent;

namespace veld {
class AppLifecycle;
class Client;
class SettingsStore;
class SoundEffects;
}  // namespace veld

namespace veld::desktop {

class EditorPage;
class EventPage;
class LobbyPage;
class QtDialogs;
class QtNet;
class QtSoundPlayer;
class StudyRoomPage;

class MainWindow final : public QMainWindow {
    Q_OBJECT
  public:
    // `programFolder` holds doc/, games/ and wave/. The window is created as the program starts
    // it: texts, language, hidden on-line pages and the folder check (see created()).
    MainWindow(std::filesystem::path programFolder, SettingsStore& settings,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // False when the program folder was unusable: the user was told and the application ends.
    bool created() const { return created_; }
    // Set once the core asked the application to end.
    bool terminated() const { return terminated_; }

    Client& client() { return *client_; }
    AppLifecycle& lifecycle() { return *lifecycle_; }
    QtShell& shell() { return *shell_; }
    QTabWidget* pages() const { return parts_.tabs; }
    QWidget* page(Page page) const;
    QAction* command(Command command) const;
    QListWidget* serverList() const { return parts_.serverList; }
    LobbyPage* lobbyPage() const { return lobby_; }
    StudyRoomPage* studyRoom() const { return study_; }
    EditorPage* editorPage() const { return editor_; }
    SoundEffects& sounds() { return *sounds_; }
    const std::filesystem::path& programFolder() const { return programFolder_; }

  signals:
    // The core asked the application to end (after the current event).
    void terminateRequested();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void buildPages();
    void buildMenus();
    void buildStatusBars();
    void addPage(Page page, QWidget* widget, const QString& caption);
    void toggleWindowSize();
    void showHelp(const QString& file);
    void applySetup();

    std::filesystem::path programFolder_;
    MainWindowParts parts_;
    std::unique_ptr<QtNet> net_;
    std::unique_ptr<QtDialogs> dialogs_;
    std::unique_ptr<QtShell> shell_;
    std::unique_ptr<Client> client_;
    std::unique_ptr<AppLifecycle> lifecycle_;
    std::unique_ptr<QtSoundPlayer> soundPlayer_;
    std::unique_ptr<SoundEffects> sounds_;
    LobbyPage* lobby_ = nullptr;
    StudyRoomPage* study_ = nullptr;
    EditorPage* editor_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* codePagesMenu_ = nullptr;
    EventPage* events_ = nullptr;
    QTextBrowser* help_ = nullptr;
    // The topic page: the tree on the left, whose width the settings keep.
    QSplitter* topicSplitter_ = nullptr;
    QMenu* setupMenu_ = nullptr;
    bool created_ = false;
    bool terminated_ = false;
    bool closing_ = false;
};

}  // namespace veld::desktop
