#include "server/app/options.h"

#include <charconv>
#include <functional>
#include <map>

#include "protocol/codepage.h"

namespace veld::server {

namespace {

constexpr std::size_t kMaxNameUnits = 64;
constexpr std::size_t kMaxDescriptionUnits = 256;
constexpr std::size_t kMaxNoticeBytes = 8000;

template <class T>
std::optional<T> number(std::string_view text, T low, T high) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<std::vector<std::uint16_t>> portList(std::string_view text) {
    std::vector<std::uint16_t> ports;
    while (true) {
        const std::size_t comma = text.find(',');
        const auto port = number<std::uint16_t>(text.substr(0, comma), 0, 65535);
        if (!port) return std::nullopt;
        ports.push_back(*port);
        if (comma == std::string_view::npos) return ports;
        text.remove_prefix(comma + 1);
    }
}

struct Parser {
    CommandLine result;
    std::vector<std::u16string> names;
    std::vector<std::u16string> descriptions;
    std::optional<std::vector<std::uint16_t>> gamePorts;
    bool haveData = false;
    bool havePort = false;
    std::string error;

    bool fail(std::string text) {
        error = std::move(text);
        return false;
    }

    // Applies one option with its value (empty for flags).
    bool apply(std::string_view option, std::string_view value) {
        ServerConfig& c = result.config;
        if (option == "--data") {
            c.dataDir = std::string(value);
            haveData = !value.empty();
        } else if (option == "--listen") {
            c.listenAddress = std::string(value);
        } else if (option == "--community-port") {
            const auto port = number<std::uint16_t>(value, 0, 65535);
            if (!port) return fail("--community-port: not a port: " + std::string(value));
            c.communityPort = *port;
            havePort = true;
        } else if (option == "--game-ports") {
            gamePorts = portList(value);
            if (!gamePorts) return fail("--game-ports: not a list of ports: " + std::string(value));
        } else if (option == "--announce") {
            c.announceAddress = std::string(value);
        } else if (option == "--server-name") {
            names.push_back(utf8ToWide(value));
            if (names.back().size() > kMaxNameUnits) return fail("--server-name: too long");
        } else if (option == "--server-description") {
            descriptions.push_back(utf8ToWide(value));
            if (descriptions.back().size() > kMaxDescriptionUnits)
                return fail("--server-description: too long");
        } else if (option == "--notice") {
            c.game.notice = wideToBig5(utf8ToWide(value));
            if (c.game.notice.size() > kMaxNoticeBytes) return fail("--notice: too long");
        } else if (option == "--registration") {
            if (value == "on")
                c.community.registration = Registration::Members;
            else if (value == "off")
                c.community.registration = Registration::Off;
            else if (value == "temporary")
                c.community.registration = Registration::Temporary;
            else
                return fail("--registration: on, off or temporary");
        } else if (option == "--maintenance") {
            c.community.maintenance = true;
        } else if (option == "--temporary-closed") {
            c.community.temporaryClosed = true;
        } else if (option == "--new-account-privilege") {
            const auto level = number<int>(value, 0, 13);
            if (!level) return fail("--new-account-privilege: 0 to 13");
            c.community.newAccountPrivilege = *level;
        } else if (option == "--grant") {
            const std::size_t eq = value.rfind('=');
            const auto level = eq == std::string_view::npos
                                   ? std::nullopt
                                   : number<int>(value.substr(eq + 1), 0, 13);
            if (!level || eq == 0) return fail("--grant: NAME=LEVEL with a level 0 to 13");
            c.grants.push_back({wideToBig5(utf8ToWide(value.substr(0, eq))), *level});
        } else if (option == "--rank") {
            const std::size_t eq = value.rfind('=');
            const auto code = eq == std::string_view::npos
                                  ? std::nullopt
                                  : number<int>(value.substr(eq + 1), 0, 255);
            if (!code || eq == 0) return fail("--rank: NAME=CODE with a rank code 0 to 255");
            c.ranks.push_back({wideToBig5(utf8ToWide(value.substr(0, eq))), *code});
        } else if (option == "--max-connections-per-address") {
            const auto n = number<std::size_t>(value, 1, 100000);
            if (!n) return fail("--max-connections-per-address: a number from 1");
            c.transport.maxConnectionsPerAddress = *n;
        } else if (option == "--max-connections") {
            const auto n = number<std::size_t>(value, 1, 1000000);
            if (!n) return fail("--max-connections: a number from 1");
            c.transport.maxConnections = *n;
        } else if (option == "--password-hash-cost") {
            if (value == "interactive")
                c.passwords = PasswordLimits::interactive();
            else if (value == "minimal")
                c.passwords = PasswordLimits::minimal();
            else
                return fail("--password-hash-cost: interactive or minimal");
        } else if (option == "--max-players") {
            const auto n = number<std::size_t>(value, 1, 65535);
            if (!n) return fail("--max-players: 1 to 65535");
            c.game.maxPlayers = *n;
        } else if (option == "--write-queue-limit") {
            const auto n = number<std::size_t>(value, 70000, std::size_t{1} << 32);
            if (!n) return fail("--write-queue-limit: bytes, at least 70000");
            c.transport.writeQueueLimit = *n;
        } else {
            return fail("unknown option " + std::string(option));
        }
        return true;
    }

    bool finish() {
        ServerConfig& c = result.config;
        if (!haveData) return fail("--data DIR is required");
        if (!havePort) return fail("--community-port N is required");
        const std::size_t count = gamePorts ? gamePorts->size() : 0;
        if (names.size() > count || descriptions.size() > count)
            return fail("more --server-name or --server-description than game ports");
        for (std::size_t i = 0; i < count; ++i) {
            GameServerSettings s;
            s.port = (*gamePorts)[i];
            s.name = i < names.size() ? names[i] : u"Veld " + utf8ToWide(std::to_string(i + 1));
            s.description = i < descriptions.size() ? descriptions[i] : u"Veld";
            c.gameServers.push_back(std::move(s));
        }
        return true;
    }
};

const std::map<std::string_view, bool>& optionsTakingValues() {
    static const std::map<std::string_view, bool> options{
        {"--data", true},
        {"--listen", true},
        {"--community-port", true},
        {"--game-ports", true},
        {"--announce", true},
        {"--server-name", true},
        {"--server-description", true},
        {"--notice", true},
        {"--registration", true},
        {"--maintenance", false},
        {"--temporary-closed", false},
        {"--new-account-privilege", true},
        {"--grant", true},
        {"--rank", true},
        {"--max-connections-per-address", true},
        {"--max-connections", true},
        {"--password-hash-cost", true},
        {"--max-players", true},
        {"--write-queue-limit", true},
    };
    return options;
}

}  // namespace

std::optional<CommandLine> parseCommandLine(std::span<const std::string_view> args,
                                            std::string& error) {
    Parser parser;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view option = args[i];
        if (option == "--help" || option == "-h") {
            parser.result.help = true;
            return parser.result;
        }
        std::optional<std::string_view> value;
        if (const std::size_t eq = option.find('='); eq != std::string_view::npos) {
            value = option.substr(eq + 1);
            option = option.substr(0, eq);
        }
        const auto known = optionsTakingValues().find(option);
        if (known == optionsTakingValues().end()) {
            error = "unknown option " + std::string(option);
            return std::nullopt;
        }
        if (known->second && !value) {
            if (i + 1 == args.size()) {
                error = std::string(option) + " needs a value";
                return std::nullopt;
            }
            value = args[++i];
        }
        if (!known->second && value) {
            error = std::string(option) + " takes no value";
            return std::nullopt;
        }
        if (!parser.apply(option, value.value_or(""))) {
            error = parser.error;
            return std::nullopt;
        }
    }
    if (!parser.finish()) {
        error = parser.error;
        return std::nullopt;
    }
    return parser.result;
}

std::string usageText() {
    return R"(Usage: veld-server --data DIR --community-port N [--game-ports N[,N...]] [options]

Runs the community server and the game servers in the foreground until SIGINT or SIGTERM.
Prints one line per listening socket once it listens. Port 0 takes an ephemeral port; the
printed line shows the real one.

  --data DIR                  folder of the database (veld.db); created when missing
  --community-port N          port of the community server (logins, server list, lists)
  --game-ports N[,N...]       one game server per port; without it every login is
                              answered "no game server on line"
  --listen ADDR               address to listen on (default 127.0.0.1; 0.0.0.0 or :: for all)
  --announce ADDR             IPv4 address announced in the game-server list (default: the
                              listen address, or 127.0.0.1 when listening on all addresses)
  --server-name TEXT          name of the next game server in the list (repeat per game
                              port; default "Veld 1", "Veld 2", ...)
  --server-description TEXT   description of the next game server (repeat; default "Veld")
  --notice TEXT               notice sent to every player who joins a game server
  --registration MODE         unknown names at login: on (default: a member account is
                              created), temporary (a temporary account is created), off
                              (refused as a wrong password)
  --maintenance               refuse logins with the maintenance answer, except accounts of
                              privilege 13
  --temporary-closed          refuse temporary accounts
  --new-account-privilege N   privilege of new accounts, 0-13 (default 9)
  --grant NAME=LEVEL          set an existing account's privilege at start-up (repeatable)
  --rank NAME=CODE            set an existing account's rank code at start-up, 0-255:
                              26 is 1d, 25 1k, 50 unrated; 100 more marks an established
                              rank (repeatable)
  --max-connections-per-address N
                              connections one address may hold per server (default 32)
  --max-connections N         connections each server holds at most (default 4096)
  --max-players N             players per game server (default 500)
  --write-queue-limit BYTES   bytes queued for a client that does not read before it is
                              disconnected (default 1048576)
  --password-hash-cost COST   interactive (default) or minimal. NOT FOR PRODUCTION:
                              minimal hashes new passwords with the weakest argon2id
                              parameters, so that load tests can log thousands of accounts
                              in; such hashes are cheap to crack and stay in the database
  --help                      this text

Options also take the form --option=value. Texts are UTF-8.
)";
}

}  // namespace veld::server
