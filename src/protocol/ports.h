// The narrow ports through which the core reaches everything visible or external.
// The desktop implements them with Qt; the tests implement them with recording fakes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veld {

// The two long-lived stream connections of the client.
enum class Link { Game, Community };

// Stream connections. Events travel the other way: the owner of the core calls
// Client::onConnected / onData / onError / onDisconnected.
class Net {
  public:
    virtual ~Net() = default;
    // Starts connecting (asynchronously); an earlier connection on the link is closed first.
    virtual void open(Link link, const std::string& host, std::uint16_t port) = 0;
    virtual bool isConnected(Link link) const = 0;
    // Queues the bytes on a connected link. The core never sends on a link that is not connected.
    virtual void send(Link link, std::string_view bytes) = 0;
    virtual void close(Link link) = 0;
};

// Modal boxes. Each call returns when the user has closed the box; socket events may be
// delivered to the core while a box is open.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Warning box with a single Yes button.
    virtual void showWarning(std::u16string_view text) = 0;
    // Information box with a single Yes button.
    virtual void showInformation(std::u16string_view text) = 0;
    // Confirmation box with Yes and No; true for Yes.
    virtual bool confirm(std::u16string_view text) = 0;
    // Plain message box without an icon.
    virtual void showMessage(std::u16string_view text) = 0;
};

// Pages of the main window that the core brings forward or fills.
enum class Page { OnLineActivity };

// The main window as the core sees it: captions, pages, menus and the application's life.
class Shell {
  public:
    virtual ~Shell() = default;
    virtual void setMainCaption(std::u16string_view text) = 0;
    virtual void setApplicationTitle(std::u16string_view text) = 0;
    virtual void setFileMenuCaption(std::u16string_view text) = 0;
    virtual void setStatusBarFont(std::u16string_view family) = 0;
    // Checks the entry of the file-open code-page menu for this code page, unchecks the others.
    virtual void checkOpenCodePage(int codePage) = 0;
    virtual void setBroadcastWindowWidth(int pixels) = 0;
    virtual void showPage(Page page) = 0;
    // The read-only memo of the on-line activity page.
    virtual void clearActivityLog() = 0;
    virtual void appendActivityLine(std::u16string_view line) = 0;
    // Ends the application once the current event has been handled.
    virtual void terminate() = 0;
};

}  // namespace veld
