#include "client/players.h"

#include "client/client.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/frame_fields.h"
#include "protocol/language.h"
#include "protocol/rank_code.h"
#include "protocol/wire.h"

namespace veld {

namespace {

constexpr std::size_t kW1Length = 38;
constexpr std::size_t kPlayerRecordLength = 35;
constexpr std::size_t kFirstField = 5;

void setRank(Tuser& user, std::uint8_t code) {
    user.rankCode = code;
    user.rankText = rankCodeToLabel(code);
    user.rankValue = rankCodeToValue(code);
}

void setName(Tuser& user, std::string_view rawName) {
    user.rawName = std::string(rawName);
    user.name = std::string(trimSpaces(rawName));
}

}  // namespace

Players::Players(Client& client, Dialogs& dialogs, Shell& shell, const TextTable& texts,
                 OwnRecord& myRecord)
    : client_(client), dialogs_(dialogs), shell_(shell), texts_(texts), myRecord_(myRecord) {}

void Players::registerHandlers(Dispatcher& dispatcher) {
    dispatcher.add("W1", [this](std::string_view frame, Link) { processW1(frame); });
    dispatcher.add("W2", [this](std::string_view frame, Link) { readPlayerRecords(frame); });
    dispatcher.add("W3", [this](std::string_view frame, Link) { processW3(frame); });
    dispatcher.add("WX", [this](std::string_view frame, Link) { processWX(frame); });
    dispatcher.add("VV", [this](std::string_view frame, Link) { processVV(frame); });
}

void Players::joinedServer() {
    list_.reset();
    myEntry_.reset();
}

void Players::leftServer() {
    list_.clearUsers();
    myEntry_.reset();
}

void Players::processW1(std::string_view frame) {
    if (frame.size() != kW1Length) return;
    const std::uint16_t uid = frameWord(frame, 5);
    UserRef user = list_.findUserByuid(uid);
    const bool known = user != nullptr;
    if (!known) {
        user = std::make_shared<Tuser>();
        user->uid = uid;
        setName(*user, frameField(frame, 11, 10));
        user->displayName = big5ToWide(user->name);
        user->ranking = frameWord(frame, 35);
    }
    user->ipAddress = bytesToAddress(frameField(frame, 7, 4));
    setRank(*user, frameByte(frame, 21));
    user->userType = std::string(frameField(frame, 22, 1));
    user->pxCode = bytesToLong(frameField(frame, 23, 4));
    decodepxcode(*user);
    if (!known) list_.appendUser(user);

    user->playWish = std::string(frameField(frame, 27, 1));
    user->langId = frameWord(frame, 33);
    user->languageName = languageNameOfId(user->langId);
    user->wins = frameWord(frame, 28);
    user->losses = frameWord(frame, 30);
    updatewinrate(*user);
    user->promotionIndex = frameByte(frame, 32) - 100;
    user->playStatus = std::string("N");
    user->playStatusText = texts_.uiText(137);
    user->tagNumber = frameWord(frame, 37);

    if (applyFriendMarks(*user, friendNames_, myRecord_.uid) && port_)
        port_->addEvent(user->displayName + u" " + big5ToWide(user->rankText) + u" " +
                        texts_.uiText(998));
    list_.updateuser(user);
    if (shell_.isPageActive(Page::Lobby)) {
        const std::u16string time = port_ ? port_->timeOfDay() : std::u16string();
        shell_.showStatus(time + u"  " + big5ToWide(user->name + " " + user->rankText + "  ") +
                          texts_.uiText(105));
    }
    showTotalPlayer();
}

void Players::readPlayerRecords(std::string_view frame) {
    // A record cut short by the end of the frame is not a player: only whole records are read.
    for (std::size_t p = kFirstField; p + kPlayerRecordLength - 1 <= frame.size();
         p += kPlayerRecordLength) {
        auto user = std::make_shared<Tuser>();
        user->uid = frameWord(frame, p);
        user->ipAddress = bytesToAddress(frameField(frame, p + 2, 4));
        setName(*user, frameField(frame, p + 6, 10));
        // The server ends a list early with a record whose name is all spaces.
        if (user->name.empty()) return;
        user->displayName = big5ToWide(user->name);
        setRank(*user, frameByte(frame, p + 16));
        user->userType = std::string(frameField(frame, p + 17, 1));
        user->playWish = std::string(frameField(frame, p + 18, 1));
        user->playStatus = std::string(frameField(frame, p + 19, 1));
        user->playStatusText = translateplayStatus(user->playStatus, texts_);
        applyFriendMarks(*user, friendNames_, myRecord_.uid);
        user->pxCode = bytesToLong(frameField(frame, p + 20, 4));
        decodepxcode(*user);
        user->wins = frameWord(frame, p + 24);
        user->losses = frameWord(frame, p + 26);
        updatewinrate(*user);
        user->promotionIndex = frameByte(frame, p + 28) - 100;
        user->langId = frameWord(frame, p + 29);
        user->ranking = frameWord(frame, p + 31);
        user->tagNumber = frameWord(frame, p + 33);
        user->languageName = languageNameOfId(user->langId);
        list_.appendUser(std::move(user));
    }
}

void Players::processW3(std::string_view frame) {
    readPlayerRecords(frame);
    myEntry_ = list_.findUserByuid(myRecord_.uid);
    if (!myEntry_) {
        client_.gameServers().exitGoServer();
        return;
    }
    if (port_) port_->checkPlayWish(myEntry_->playWish);
    if (!isEstablished(myEntry_->rankCode)) shell_.setCommandEnabled(Command::SelfRank, true);
    myEntry_->playStatus = std::string("N");
    myEntry_->playStatusText = texts_.uiText(137);
    if (port_) port_->hidePrivateChat(false);
    chatPartner_.reset();
    shell_.setPageVisible(Page::Lobby, true);
    shell_.setPageVisible(Page::StudyRoom, true);
    shell_.showPage(Page::Lobby);

    list_.setUserSortDirection(1);
    list_.showplayerlist();
    showTotalPlayer();
    // As if the rank column had been clicked: strongest first, the next click reverses.
    list_.sortByColumn(PlayerColumn::Rank);
    list_.setUserSortDirection(-1);

    shell_.setCommandVisible(Command::LobbyMenus, true);
    locateuser(myEntry_);
    shell_.setMainCaption(texts_.uiText(956) + u"--" + client_.login().getservername() +
                          texts_.uiText(365) + u"--" + client_.gameServers().currentServerName() +
                          u"--" + myEntry_->displayName);
}

void Players::processWX(std::string_view frame) {
    const UserRef user = list_.findUserByuid(frameWord(frame, 5));
    if (!user) return;
    if (user == chatPartner_) {
        if (port_) port_->hidePrivateChat(true);
        chatPartner_.reset();
    }
    if (port_) port_->closeAllusergames(*user);
    list_.removeUser(user);
    showTotalPlayer();
}

void Players::processVV(std::string_view frame) {
    const UserRef user = list_.findUserByuid(frameWord(frame, 5));
    // A frame without the code byte is no rank change.
    if (!user || frame.size() < 7) return;
    const std::uint8_t code = frameByte(frame, 7);
    const bool promoted = isStronger(code, user->rankCode);
    user->rankCode = code;
    user->rankText = rankCodeToText(code);
    user->rankValue = rankCodeToValue(code);
    list_.updateuser(user);
    if (promoted && user->uid == myRecord_.uid && user->userType != "D") {
        rankingpopup(user->rawName, user->rankText, texts_.uiText(806));
        if (port_) port_->playSound("Applaud.wav");
    }
}

void Players::playerClicked() {
    if (!list_.rowClicked()) return;
    const UserRef& user = list_.selectedUser();
    if (!user) return;
    if (port_) port_->setObserveEnabled(gameOfPlayer_ && gameOfPlayer_(user->rawName));
}

void Players::playerKeyPressed(char16_t key) {
    if (list_.keySearch(key)) playerClicked();
}

void Players::locateuser(const UserRef& user) {
    if (list_.locateuser(user)) playerClicked();
}

void Players::showTotalPlayer() {
    if (!port_) return;
    port_->setPlayerTotal(texts_.uiText(309) + u":" +
                          big5ToWide(std::to_string(list_.rows().size())));
}

bool Players::userSelected() {
    const UserRef& user = list_.selectedUser();
    if (user && user->playStatus != "X") return true;
    if (port_) port_->playSound("error.wav");
    dialogs_.showWarning(texts_.uiText(671));
    return false;
}

void Players::selectedusername(std::string& out) const {
    if (shell_.isPageActive(Page::Lobby) && list_.selectedUser())
        out = list_.selectedUser()->rawName;
}

std::string Players::queryusername() {
    if (!port_) return {};
    const UserRef& user = list_.selectedUser();
    const std::optional<std::u16string> answer =
        port_->inputBox(u"", u"Name", user ? big5ToWide(user->rawName) : std::u16string());
    if (!answer || answer->empty()) return {};
    return padRight(wideToBig5(*answer), 10);
}

void Players::choosePlayWish(std::string_view marker) {
    if (!myEntry_ || marker.size() != 1 || myEntry_->playWish == marker) return;
    myEntry_->playWish = std::string(marker);
    client_.sendToServer("PC3" + wordToBytes(myEntry_->uid) + std::string(marker));
}

void Players::rankingpopup(std::string_view rawName, std::string_view rankText,
                           std::u16string_view prefix) {
    if (!port_) return;
    const auto& server = client_.gameServers().currentServer();
    const std::u16string head = server ? hexToWide(server->extraData) : std::u16string();
    port_->showCertificate({big5ToWide(rawName), u"", texts_.uiText(803),
                            std::u16string(prefix) + big5ToWide(rankText), texts_.uiText(805), u"",
                            texts_.uiText(561) + u" " + head});
}

}  // namespace veld
