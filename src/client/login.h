// The community-server side of connecting: the login dialog and its checks, the login message,
// the community connection with its fallback addresses, the login reply ("PX"), and the
// password change with its reply ("US").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "client/own_record.h"
#include "protocol/dispatcher.h"
#include "protocol/ports.h"
#include "protocol/text_table.h"

namespace veld {

class Client;

class Login {
  public:
    // The community server's address for each value of serverChoice, tried from 3 down to 1;
    // 0 means none is left. The host name and the port can be set in the settings ("comhost",
    // "comport"): a community server that is not run as root cannot listen on port 13.
    static constexpr int kHostNameChoice = 3;
    static constexpr std::string_view kDefaultHostName = "localhost";
    static constexpr std::string_view kFirstDefaultAddress = "127.0.0.1";  // choice 2
    static constexpr std::string_view kSecondDefaultAddress = "::1";       // choice 1
    static constexpr std::uint16_t kDefaultPort = 13;

    // Positions 5-6 of the login message.
    static constexpr std::uint16_t kProtocolVersion = 31702;
    // Positions 31-32: the build of the client's protocol handling, raised whenever the client
    // starts to rely on something new from the servers, so that a server can tell builds apart.
    static constexpr std::uint16_t kClientBuild = 1;

    Login(Client& client, Net& net, Dialogs& dialogs, Shell& shell, SettingsStore& settings,
          const TextTable& texts, OwnRecord& myRecord);
    Login(const Login&) = delete;
    Login& operator=(const Login&) = delete;

    // "PX" and "US".
    void registerHandlers(Dispatcher& dispatcher);

    // Shows the login dialog and, when its input passes the checks, connects to the community
    // server with the login message waiting. False when the input was refused with a warning
    // (the caller may ask once more); true when the login started, and also when the dialog was
    // cancelled, which ends the application.
    bool logintocom();

    // Closes the community link and opens it to the address of `choice` (see above; choices
    // above 3 use the host name as well); choice 0 or below warns that no community server can
    // be reached and ends the application. The context attached to the link (and its waiting
    // message) is kept.
    void connectToCom(int choice);
    // The host name tried first, unless the settings name one ("comhost").
    void setDefaultHostName(std::string host) { defaultHostName_ = std::move(host); }

    // The label of the address being tried.
    std::u16string getservername() const;

    // Menu "密碼": asks for the old and the new password until they pass the checks or the
    // dialog is cancelled, then sends the change to the community server.
    void changePassword();

    // Community link events.
    void comclientSocketConnect();
    void comclientSocketError(NetError error);

    int serverChoice() const { return serverChoice_; }
    const std::string& storedPassword() const { return storedPassword_; }
    // Whether "保存" was checked in the last login dialog.
    bool remembersPassword() const { return remember_; }
    // Set once a login was accepted (the window size is saved from then on).
    bool loginComplete() const { return loginComplete_; }

  private:
    void processPX(std::string_view frame);
    void processUS(std::string_view frame);
    void warn(int row);
    void refuse(int row);
    void warnNoCommunityAndEnd();
    std::string communityHostName() const;

    Client& client_;
    Net& net_;
    Dialogs& dialogs_;
    Shell& shell_;
    SettingsStore& settings_;
    const TextTable& texts_;
    OwnRecord& myRecord_;

    std::string defaultHostName_{kDefaultHostName};
    // The host given to the last open of the community link, for the lookup failure's text.
    std::string openedHost_;
    int serverChoice_ = 0;
    std::string storedPassword_;
    bool remember_ = false;
    bool loginComplete_ = false;
};

}  // namespace veld
