// The main window's life as the core sees it: creation, the first activation with its login,
// page changes, resizing, the window-size toggle and closing. The desktop calls these from its
// window events; widgets stay out of it.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "client/event_log.h"
#include "protocol/ports.h"

namespace veld {

class Client;

class AppLifecycle {
  public:
    // Width of the topic tree when the settings hold a value that is not a number, and the
    // least width any stored value gives.
    static constexpr int kDefaultTopicTreeWidth = 350;
    static constexpr int kMinTopicTreeWidth = 200;

    AppLifecycle(Client& client, Dialogs& dialogs, Shell& shell);
    AppLifecycle(const AppLifecycle&) = delete;
    AppLifecycle& operator=(const AppLifecycle&) = delete;

    // Creation of the main window: puts the interface texts in place, hides the menus and pages
    // that exist only on line, chooses the interface language from the system's (`systemId`),
    // then checks the program folder. A missing doc folder is shown (row 933) and ends the
    // application: false. So is a games folder that cannot be created.
    bool formCreate(const std::filesystem::path& programFolder, int systemId);
    // The first activation (later ones do nothing): brings "上網" to the front and starts the
    // login, asking once more when the first input was refused.
    void formActivate();
    bool activated() const { return activated_; }

    // The user brought another page to the front (not called when the core does it).
    void pageControl1Change(Page page);
    // Called when a room's page comes to the front, to show its window (the rooms set it).
    void setRoomPageListener(std::function<void(Page)> listener) {
        roomPageListener_ = std::move(listener);
    }

    // The main window was resized. Once a login was accepted the size is stored and the lobby's
    // left panel gets its new width (returned); before that nothing happens (nullopt).
    std::optional<int> formResize(int width, int height);
    // "視窗縮放": maximises the window or returns it to its normal size in turn (starting with
    // the normal size). True when it is to be maximised.
    bool toggleWindowSize();
    // The lobby's left panel width for a maximised window of this width.
    static int lobbyPanelWidthMaximized(int windowWidth) { return windowWidth * 618 / 1000; }

    // The close box: saves the friend lists when they changed, asks row 830, and on Yes leaves
    // both servers and ends the application. True when the window may close.
    bool formCloseQuery();

    // The topic tree's width from "panel33w"; nullopt keeps the designed width.
    std::optional<int> topicTreeWidth() const;

    // The list of the page "事件"; adding a row marks the page's tab.
    EventLog& events() { return events_; }
    void addEvent(std::u16string from, std::u16string rank, std::u16string message,
                  std::u16string event, std::u16string time);
    // A double click on an event row: the lobby shows that player when he is on line;
    // otherwise a box says he is not.
    void eventDoubleClicked(std::size_t row);

  private:
    Client& client_;
    Dialogs& dialogs_;
    Shell& shell_;
    EventLog events_;
    std::function<void(Page)> roomPageListener_;
    bool activated_ = false;
    // "視窗縮放" maximises next when set.
    bool maximizeNext_ = false;
};

}  // namespace veld
