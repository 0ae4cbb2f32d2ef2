#include "client/game_servers.h"

#include <algorithm>

#include "client/client.h"
#include "client/online_pages.h"
#include "protocol/frame_fields.h"
#include "protocol/wire.h"

namespace veld {

namespace {}  // namespace

GameServers::GameServers(Client& client, Net& net, Dialogs& dialogs, Shell& shell,
                         const TextTable& texts, OwnRecord& myRecord)
    : client_(client),
      net_(net),
      dialogs_(dialogs),
      shell_(shell),
      texts_(texts),
      myRecord_(myRecord) {}

void GameServers::registerHandlers(Dispatcher& dispatcher) {
    dispatcher.add("CM", [this](std::string_view frame, Link) { processCM(frame); });
    dispatcher.add("IX", [this](std::string_view frame, Link) { processIX(frame); });
    dispatcher.add("OK", [this](std::string_view frame, Link) { processOK(frame); });
}

void GameServers::warn(std::u16string_view text) {
    dialogs_.showWarning(text);
}

void GameServers::processCM(std::string_view frame) {
    servers_ = parseServerList(frame);
    shell_.setServerList(serverListItems(servers_));
    shell_.setServerListVisible(true);
}

void GameServers::processIX(std::string_view frame) {
    if (currentServer_) currentServer_->notice = std::string(frameRest(frame, 5));
}

void GameServers::serverClicked(std::size_t index) {
    if (index >= servers_.size()) return;
    const std::shared_ptr<Tcom> entry = servers_[index];
    if (currentServer_) {
        if (entry == currentServer_) {
            shell_.showPage(Page::Lobby);
            return;
        }
        exitGoServer();
    }
    join(entry);
}

void GameServers::join(const std::shared_ptr<Tcom>& entry) {
    currentServer_ = entry;
    shell_.setServerListEnabled(false);
    currentServerName_ = entry->wideName;
    net_.close(Link::Game);
    const std::string message =
        "UG" + myRecord_.rawName +
        wordToBytes(static_cast<std::uint32_t>(client_.language().languageId)) +
        myRecord_.accountClass;
    entry->joinContext = client_.newContext(Link::Game, message);
    net_.open(Link::Game, entry->address, entry->port);
}

void GameServers::processOK(std::string_view frame) {
    // A reply left over from a join that has ended since (its link failed or was left).
    if (!currentServer_) return;
    shell_.setServerListEnabled(true);
    onLine_ = false;
    shell_.showStatus(u"");
    shell_.setCommandEnabled(Command::SelfRank, false);
    switch (frame.size() > 4 ? frame[4] : '\0') {
        case '3':
        case '4':
            currentServer_->joinState = 3;
            // The join has failed: the same server may be picked again.
            currentServer_.reset();
            warn(texts_.uiText(631));
            return;
        case '5':
            currentServer_->joinState = 5;
            warn(texts_.uiText(841));
            exitVeldnet();
            shell_.terminate();
            return;
        default:
            joined(frame);
            return;
    }
}

void GameServers::joined(std::string_view frame) {
    // Strings are assigned whole strings here and elsewhere in the client: GCC 12 at -O3 warns
    // falsely (-Wrestrict) about assigning a literal or a string_view.
    myRecord_.playStatus = std::string("N");
    myRecord_.uid = frameWord(frame, 6);
    myRecord_.privilege = frameWord(frame, 8);
    myRecord_.homeTopicId = bytesToLong(frameField(frame, 14, 4));
    client_.players().joinedServer();
    client_.games().joinedServer();

    shell_.setPageVisible(Page::Topics, true);
    onLine_ = true;
    shell_.setCommandVisible(Command::LobbyMenus, true);
    shell_.clearServerListSelection();
    shell_.setPageCaption(Page::Community, texts_.uiText(982));
    shell_.setWebViewsOffline(false);
    client_.playSound("elearn.wav");
    shell_.maximizeMainWindow();
}

void GameServers::exitGoServer() {
    shell_.setCommandVisible(Command::FileMenu, false);
    shell_.setCommandVisible(Command::LobbyMenus, false);
    for (const Page page : kOnLineOnlyPages) shell_.setPageVisible(page, false);
    shell_.setWebViewsOffline(true);
    shell_.clearMainStatusPanels();

    shell_.setMainCaption(texts_.uiText(956));
    shell_.setServerListEnabled(true);
    currentServer_.reset();
    client_.players().leftServer();
    client_.games().leftServer();
    // Cleared before the link is closed, so that leaving is never taken for a lost server.
    onLine_ = false;
    net_.close(Link::Game);
}

void GameServers::exitVeldnet() {
    if (onLine_) exitGoServer();
    servers_.clear();
    shell_.setServerList({});
    shell_.setServerListVisible(false);
    shell_.setPageVisible(Page::WinRate, false);
    shell_.showPage(Page::Community);
    net_.close(Link::Community);
}

void GameServers::goclientsocketError() {
    shell_.showStatus(u"");
    shell_.beep();
    if (onLine_) {
        exitGoServer();
        warn(texts_.uiText(829));
    } else {
        // The join has failed: the same server may be picked again.
        currentServer_.reset();
        warn(texts_.uiText(827) + u"\r\n" + texts_.uiText(785));
    }
    shell_.setServerListEnabled(true);
    shell_.showPage(Page::Community);
}

void GameServers::goclientsocketDisconnect() {
    shell_.setServerListEnabled(true);
    currentServer_.reset();
    if (onLine_) {
        warn(currentServerName_ + texts_.uiText(926));
        shell_.terminate();
    }
}

}  // namespace veld
