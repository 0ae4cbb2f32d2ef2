#include "client/login.h"

#include "client/client.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/language.h"
#include "protocol/wire.h"

namespace veld {

namespace {

constexpr std::size_t kMinPasswordBytes = 2;
constexpr std::size_t kMaxPasswordBytes = 10;
constexpr std::size_t kMaxNameBytes = 10;
constexpr std::size_t kMinNameChars = 2;

// Without the blanks and control characters at both ends. In code page 950 these bytes are
// never part of a double-byte character.
std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

std::string loginMessage(const OwnRecord& me, std::string_view password, int languageId) {
    return "UG" + wordToBytes(Login::kProtocolVersion) + me.rawName +
           padRight(password, kMaxPasswordBytes) +
           longToBytes(static_cast<std::uint32_t>(languageId)) + wordToBytes(Login::kClientBuild);
}

}  // namespace

Login::Login(Client& client, Net& net, Dialogs& dialogs, Shell& shell, SettingsStore& settings,
             const TextTable& texts, OwnRecord& myRecord)
    : client_(client),
      net_(net),
      dialogs_(dialogs),
      shell_(shell),
      settings_(settings),
      texts_(texts),
      myRecord_(myRecord) {}

void Login::registerHandlers(Dispatcher& dispatcher) {
    dispatcher.add("PX", [this](std::string_view frame, Link) { processPX(frame); });
    dispatcher.add("US", [this](std::string_view frame, Link) { processUS(frame); });
}

void Login::warn(int row) {
    dialogs_.showWarning(texts_.uiText(row));
}

// A refusal of the community server sounds the error before its box.
void Login::refuse(int row) {
    client_.playSound("error.wav");
    warn(row);
}

bool Login::logintocom() {
    const int languageId = client_.language().languageId;
    if (languageId != kTraditionalChinese) Language::translateStep2(shell_);

    LoginDialogModel model;
    model.name = big5ToWide(settings_.readString("username"), &dialogs_);
    model.password = big5ToWide(settings_.readString("password"), &dialogs_);
    model.remember = !model.password.empty();
    if (!dialogs_.showLogin(model)) {
        shell_.terminate();
        return true;
    }
    remember_ = model.remember;

    if (isForbiddenLoginName(model.name, languageId, texts_)) {
        warn(449);
        return false;
    }
    storedPassword_ = wideToBig5(model.password);
    if (storedPassword_.size() < kMinPasswordBytes || storedPassword_.size() > kMaxPasswordBytes) {
        warn(894);
        return false;
    }
    myRecord_.name = std::string(trimBlanks(wideToBig5(model.name)));
    if (myRecord_.name.size() > kMaxNameBytes) {
        warn(945);
        return false;
    }
    // Counted on the name as it will travel: blanks at the ends and characters that code page
    // 950 cannot hold are not part of it.
    if (big5ToWide(myRecord_.name).size() < kMinNameChars) {
        warn(927);
        return false;
    }
    myRecord_.rawName = padRight(myRecord_.name, kMaxNameBytes);
    if (myRecord_.name == "sys" || myRecord_.name == "NA") {
        warn(526);
        return false;
    }

    client_.newContext(Link::Community, loginMessage(myRecord_, storedPassword_, languageId));
    connectToCom(kHostNameChoice);
    return true;
}

std::string Login::communityHostName() const {
    std::string host = settings_.readString("comhost");
    return host.empty() ? defaultHostName_ : host;
}

void Login::connectToCom(int choice) {
    net_.close(Link::Community);
    serverChoice_ = choice < 0 ? 0 : choice;
    switch (serverChoice_) {
        case 0:
            warnNoCommunityAndEnd();
            return;
        case 1:
            openedHost_ = kSecondDefaultAddress;
            break;
        case 2:
            openedHost_ = kFirstDefaultAddress;
            break;
        default:
            openedHost_ = communityHostName();
            break;
    }
    const int port = settings_.readInt("comport");
    net_.open(Link::Community, openedHost_,
              port > 0 && port <= 0xFFFF ? static_cast<std::uint16_t>(port) : kDefaultPort);
}

void Login::warnNoCommunityAndEnd() {
    dialogs_.showWarning(texts_.uiText(802) + u"\r\n" + texts_.uiText(827) + u"\r\n" +
                         texts_.uiText(828));
    shell_.terminate();
}

std::u16string Login::getservername() const {
    switch (serverChoice_) {
        case 0:
            return u"LOCAL";
        case 1:
            return texts_.uiText(810);
        case 2:
            return texts_.uiText(811);
        case 3:
            return texts_.uiText(812);
        default:
            return texts_.uiText(813);
    }
}

void Login::comclientSocketConnect() {
    if (!shell_.isPageActive(Page::Lobby)) shell_.showStatus(texts_.uiText(915));
}

void Login::comclientSocketError(NetError error) {
    if (error == NetError::HostNotFound) {
        // Nothing else is tried: a misspelt host name is the user's to correct.
        dialogs_.showWarning(u"Could not resolve host: " + utf8ToWide(openedHost_));
        return;
    }
    // While on line the community link is only used for requests on demand; their failure
    // must not end the session.
    if (client_.gameServers().onLine()) return;
    connectToCom(serverChoice_ - 1);
}

void Login::processPX(std::string_view frame) {
    const char result = frame.size() > 4 ? frame[4] : '\0';
    switch (result) {
        case '1':
            refuse(832);
            shell_.terminate();
            return;
        case '2':
        case '3':
            refuse(526);
            logintocom();
            return;
        case '4':
            refuse(836);
            shell_.terminate();
            return;
        case '7':
            refuse(610);
            shell_.terminate();
            return;
        case 'C':
            refuse(922);
            shell_.terminate();
            return;
        default:
            break;
    }

    myRecord_.accountClass = std::string(frame.substr(std::min<std::size_t>(frame.size(), 5), 1));
    if (myRecord_.isTemporaryAccount())
        dialogs_.showInformation(texts_.uiText(199) + u"\r\n" + texts_.uiText(208));
    settings_.writeString("username", myRecord_.name);
    settings_.writeString("password", remember_ ? storedPassword_ : std::string());
    loginComplete_ = true;
    if (!myRecord_.isTemporaryAccount()) {
        client_.sendToCom("QXQ");
        client_.sendToCom("QFQ");
    }
}

void Login::changePassword() {
    PasswordDialogModel model;
    for (;;) {
        if (!dialogs_.showPasswordChange(model)) return;
        const std::string newPassword = wideToBig5(model.newPassword);
        const std::string_view trimmedNew = trimBlanks(newPassword);
        if (trimBlanks(wideToBig5(model.oldPassword)) != trimBlanks(storedPassword_)) {
            warn(609);
        } else if (model.newPassword != model.newPasswordAgain) {
            warn(855);
        } else if (trimmedNew.empty()) {
            warn(871);
        } else if (trimmedNew.size() < kMinPasswordBytes || trimmedNew.size() > kMaxPasswordBytes) {
            warn(894);
        } else {
            // Sent as checked: untrimmed blanks could push the password past its 10 bytes.
            client_.sendToCom("US" + myRecord_.rawName + padRight(trimmedNew, kMaxPasswordBytes));
            return;
        }
    }
}

void Login::processUS(std::string_view frame) {
    storedPassword_ =
        std::string(frame.substr(std::min<std::size_t>(frame.size(), 14), kMaxPasswordBytes));
    warn(345);
    if (remember_) settings_.writeString("password", storedPassword_);
}

}  // namespace veld
