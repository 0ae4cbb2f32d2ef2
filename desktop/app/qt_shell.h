// The main window as the core's Shell: captions, pages, menus, the server list and the status
// bars. The window builds the widgets and hands them over in MainWindowParts.
#pragma once

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <functional>
#include <map>

#include "protocol/ports.h"

namespace veld::desktop {

struct MainWindowParts {
    QMainWindow* window = nullptr;
    QTabWidget* tabs = nullptr;
    std::map<Page, QWidget*> pages;
    std::map<Command, QAction*> commands;
    // The entries of the file-open code-page menu by code page.
    std::map<int, QAction*> openCodePages;
    // The four panels of the main status bar and the first of the second one.
    QLabel* statusPanels[4] = {};
    QLabel* status2 = nullptr;
    QListWidget* serverList = nullptr;
    QPlainTextEdit* activityLog = nullptr;
    // Called once on terminate().
    std::function<void()> terminate;
};

class QtShell final : public Shell {
  public:
    explicit QtShell(MainWindowParts& parts) : parts_(parts) {}

    // True while the core itself changes the page in front: the window then does not treat the
    // change as the user's.
    bool changingPage() const { return changingPage_; }
    // The page of a tab widget's index; nullopt for none.
    std::optional<Page> pageAt(int index) const;

    void setMainCaption(std::u16string_view text) override;
    void setApplicationTitle(std::u16string_view text) override;
    void setFileMenuCaption(std::u16string_view text) override;
    void setStatusBarFont(std::u16string_view family) override;
    void checkOpenCodePage(int codePage) override;
    void setBroadcastWindowWidth(int pixels) override { broadcastWidth_ = pixels; }
    void showPage(Page page) override;
    void clearActivityLog() override;
    void appendActivityLine(std::u16string_view line) override;
    void terminate() override;
    void setPageVisible(Page page, bool visible) override;
    bool isPageActive(Page page) const override;
    void setPageCaption(Page page, std::u16string_view caption) override;
    void setPageImage(Page page, int image) override;
    void setCommandVisible(Command command, bool visible) override;
    void setCommandEnabled(Command command, bool enabled) override;
    void setServerList(std::span<const ServerListItem> items) override;
    void setServerListVisible(bool visible) override;
    void setServerListEnabled(bool enabled) override;
    void clearServerListSelection() override;
    void setWebViewsOffline(bool offline) override { webViewsOffline_ = offline; }
    void maximizeMainWindow() override;
    void beep() override;
    void showStatus(std::u16string_view text) override;
    void showStatus2(std::u16string_view text) override;
    void showsystime(std::u16string_view text) override;
    void clearMainStatusPanels() override;

    bool webViewsOffline() const { return webViewsOffline_; }
    int broadcastWindowWidth() const { return broadcastWidth_; }

  private:
    int tabIndex(Page page) const;

    MainWindowParts& parts_;
    bool changingPage_ = false;
    bool terminated_ = false;
    bool webViewsOffline_ = true;
    int broadcastWidth_ = 0;
};

}  // namespace veld::desktop
