// Recording fakes of the core's ports: they remember what the core asked for and answer as
// the test scripted.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "protocol/ports.h"

namespace veld::testing {

class FakeNet : public Net {
  public:
    struct Opened {
        Link link;
        std::string host;
        std::uint16_t port;
    };

    void open(Link link, const std::string& host, std::uint16_t port) override;
    bool isConnected(Link link) const override { return connected_[index(link)]; }
    void send(Link link, std::string_view bytes) override;
    void close(Link link) override;

    void setConnected(Link link, bool connected) { connected_[index(link)] = connected; }
    // Every byte sent on the link, frames one after another.
    const std::string& sent(Link link) const { return sent_[index(link)]; }
    void clearSent() { sent_[0].clear(), sent_[1].clear(); }

    std::vector<Opened> opened;
    int closes = 0;

  private:
    static int index(Link link) { return link == Link::Game ? 0 : 1; }
    bool connected_[2] = {false, false};
    std::string sent_[2];
};

class FakeDialogs : public Dialogs {
  public:
    // Login and PasswordChange boxes carry the dialog's caption as their text.
    enum class Kind { Warning, Information, Confirmation, Message, Login, PasswordChange };
    struct Box {
        Kind kind;
        std::u16string text;
    };

    void showWarning(std::u16string_view text) override { open(Kind::Warning, text); }
    void showInformation(std::u16string_view text) override { open(Kind::Information, text); }
    bool confirm(std::u16string_view text) override;
    void showMessage(std::u16string_view text) override { open(Kind::Message, text); }
    bool showLogin(LoginDialogModel& model) override;
    bool showPasswordChange(PasswordDialogModel& model) override;

    std::vector<Box> boxes;
    // Answers of the confirmation boxes, in order; Yes when none is left.
    std::deque<bool> answers;
    // What the user leaves in the login dialog when pressing OK, in order; nullopt is Cancel, and
    // so is an empty queue. loginShown records the model as each dialog opened.
    std::deque<std::optional<LoginDialogModel>> loginAnswers;
    std::vector<LoginDialogModel> loginShown;
    // The same for the password-change dialog.
    std::deque<std::optional<PasswordDialogModel>> passwordAnswers;
    std::vector<PasswordDialogModel> passwordShown;
    // Runs while a box is "open" (once per box), e.g. to deliver more socket bytes.
    std::function<void(const Box&)> whileOpen;

  private:
    void open(Kind kind, std::u16string_view text);
};

class FakeShell : public Shell {
  public:
    void setMainCaption(std::u16string_view text) override { mainCaption = text; }
    void setApplicationTitle(std::u16string_view text) override { applicationTitle = text; }
    void setFileMenuCaption(std::u16string_view text) override { fileMenuCaption = text; }
    void setStatusBarFont(std::u16string_view family) override { statusBarFont = family; }
    void checkOpenCodePage(int codePage) override { checkedCodePage = codePage; }
    void setBroadcastWindowWidth(int pixels) override { broadcastWidth = pixels; }
    void showPage(Page page) override { shownPages.push_back(page); }
    void clearActivityLog() override { activityLog.clear(); }
    void appendActivityLine(std::u16string_view line) override { activityLog.emplace_back(line); }
    void terminate() override { ++terminations; }

    void setPageVisible(Page page, bool visible) override { pageVisible[page] = visible; }
    bool isPageActive(Page page) const override { return activePage == page; }
    void setPageCaption(Page page, std::u16string_view caption) override {
        pageCaptions[page] = caption;
    }
    void setPageImage(Page page, int image) override { pageImages[page] = image; }
    void setCommandVisible(Command command, bool visible) override {
        commandVisible[command] = visible;
    }
    void setCommandEnabled(Command command, bool enabled) override {
        commandEnabled[command] = enabled;
    }
    void setServerList(std::span<const ServerListItem> items) override;
    void setServerListVisible(bool visible) override { serverListVisible = visible; }
    void setServerListEnabled(bool enabled) override { serverListEnabled = enabled; }
    void clearServerListSelection() override { ++serverSelectionClears; }
    void setWebViewsOffline(bool offline) override { webViewsOffline = offline; }
    void maximizeMainWindow() override { ++maximizations; }
    void beep() override { ++beeps; }
    void showStatus(std::u16string_view text) override { status = text; }
    void showStatus2(std::u16string_view text) override { status2 = text; }
    void showsystime(std::u16string_view text) override { systime = text; }
    void clearMainStatusPanels() override { ++mainStatusClears; }

    std::u16string mainCaption, applicationTitle, fileMenuCaption, statusBarFont;
    int checkedCodePage = 0;
    int broadcastWidth = 0;
    std::vector<Page> shownPages;
    std::vector<std::u16string> activityLog;
    int terminations = 0;

    // The page in front, as the test sets it (isPageActive); showPage does not change it.
    std::optional<Page> activePage;
    std::map<Page, bool> pageVisible;
    std::map<Page, std::u16string> pageCaptions;
    std::map<Page, int> pageImages;
    std::map<Command, bool> commandVisible, commandEnabled;
    // Captions of the server list's items; the image of item i must be i (checked on set).
    std::vector<std::u16string> serverItems;
    bool serverListVisible = false;
    bool serverListEnabled = true;
    int serverSelectionClears = 0;
    std::optional<bool> webViewsOffline;
    int maximizations = 0;
    int beeps = 0;
    std::u16string status, status2, systime;
    int mainStatusClears = 0;
};

// Settings in a map; readInt/writeInt come from SettingsStore (decimal text).
class FakeSettingsStore : public SettingsStore {
  public:
    std::string readString(std::string_view name) const override;
    void writeString(std::string_view name, std::string_view value) override {
        values[std::string(name)] = value;
    }

    std::map<std::string, std::string, std::less<>> values;
};

}  // namespace veld::testing
