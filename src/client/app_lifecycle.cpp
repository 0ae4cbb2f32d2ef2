#include "client/app_lifecycle.h"

#include <algorithm>
#include <array>

#include "client/client.h"
#include "client/online_pages.h"
#include "client/program_folder.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/language.h"
#include "protocol/wire.h"

namespace veld {

namespace {

// Besides the on-line pages, a new window hides the event list (shown by its first event) and
// the help page (shown by the help commands).
constexpr std::array kPagesShownLater = {Page::Events, Page::Help};

constexpr std::array kMenusHiddenAtStart = {
    Command::QueryMenu,
    Command::SetupMenu,
    Command::KeysMenu,
    Command::HelpMenu,
};

// The image of the event page's tab after an event was added.
constexpr int kEventPageImage = 7;
constexpr int kNoPageImage = -1;

bool isRoomPage(Page page) {
    return page == Page::StudyRoom || page == Page::GameRoom || page == Page::ObservationRoom ||
           page == Page::Topics;
}

}  // namespace

AppLifecycle::AppLifecycle(Client& client, Dialogs& dialogs, Shell& shell)
    : client_(client), dialogs_(dialogs), shell_(shell) {}

bool AppLifecycle::formCreate(const std::filesystem::path& programFolder, int systemId) {
    Assingunistring(shell_, client_.texts());
    for (const Command menu : kMenusHiddenAtStart) shell_.setCommandVisible(menu, false);
    for (const Page page : kOnLineOnlyPages) shell_.setPageVisible(page, false);
    for (const Page page : kPagesShownLater) shell_.setPageVisible(page, false);
    client_.language().testLanguage(shell_, client_.texts(), systemId);
    switch (checkProgramFolder(programFolder)) {
        case FolderCheck::ready:
            return true;
        case FolderCheck::noDocFolder:
            dialogs_.showWarning(client_.texts().uiText(933));
            break;
        case FolderCheck::noGamesFolder:
            dialogs_.showWarning(u"Cannot create " +
                                 utf8ToWide((programFolder / "games").string()));
            break;
    }
    shell_.terminate();
    return false;
}

void AppLifecycle::formActivate() {
    if (activated_) return;
    activated_ = true;
    shell_.setPageImage(Page::Events, kNoPageImage);
    shell_.setCommandVisible(Command::HelpMenu, false);
    shell_.showPage(Page::Community);
    if (!client_.login().logintocom()) client_.login().logintocom();
}

void AppLifecycle::pageControl1Change(Page page) {
    shell_.setCommandVisible(Command::FileMenu, page == Page::StudyRoom);
    shell_.showStatus(u"");
    GameServers& servers = client_.gameServers();
    if (page == Page::Community && !servers.onLine()) {
        client_.login().logintocom();
        return;
    }
    if (page == Page::Topics && servers.onLine() && servers.currentServer() &&
        !servers.currentServer()->topicsRequested) {
        servers.currentServer()->topicsRequested = true;
        client_.sendToServer("TA" + longToBytes(1));
        return;
    }
    shell_.setPageImage(Page::Events, kNoPageImage);
    shell_.setPageImage(Page::Topics, kNoPageImage);
    if (isRoomPage(page) && roomPageListener_) roomPageListener_(page);
}

std::optional<int> AppLifecycle::formResize(int width, int height) {
    if (!client_.login().loginComplete()) return std::nullopt;
    client_.settings().writeInt("veldwindowwidth", width);
    client_.settings().writeInt("veldwindowheight", height);
    return (width - 150) * 618 / 1000;
}

bool AppLifecycle::toggleWindowSize() {
    const bool maximize = maximizeNext_;
    maximizeNext_ = !maximizeNext_;
    return maximize;
}

bool AppLifecycle::formCloseQuery() {
    client_.friends().saveLists();
    if (!dialogs_.confirm(client_.texts().uiText(830))) return false;
    if (client_.gameServers().onLine()) client_.gameServers().exitGoServer();
    client_.gameServers().exitVeldnet();
    shell_.terminate();
    return true;
}

std::optional<int> AppLifecycle::topicTreeWidth() const {
    const std::string text = client_.settings().readString("panel33w");
    if (text.empty()) return std::nullopt;
    return std::max(kMinTopicTreeWidth, toIntDef(text, kDefaultTopicTreeWidth));
}

void AppLifecycle::addEvent(std::u16string from, std::u16string rank, std::u16string message,
                            std::u16string event, std::u16string time) {
    events_.add(std::move(from), std::move(rank), std::move(message), std::move(event),
                std::move(time));
    shell_.setPageVisible(Page::Events, true);
    shell_.setPageImage(Page::Events, kEventPageImage);
}

void AppLifecycle::eventDoubleClicked(std::size_t row) {
    if (row >= events_.rows().size()) return;
    const std::u16string from = events_.rows()[row].from;
    PlayerList& list = client_.players().list();
    for (const UserRef& user : list.rows()) {
        if (user && user->displayName == from) {
            shell_.showPage(Page::Lobby);
            client_.players().locateuser(user);
            return;
        }
    }
    dialogs_.showMessage(from + client_.texts().uiText(618));
}

}  // namespace veld
