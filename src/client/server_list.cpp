#include "client/server_list.h"

#include <optional>

#include "protocol/wire.h"

namespace veld {

namespace {

// Reads from a frame without ever passing its end.
class FieldReader {
  public:
    explicit FieldReader(std::string_view bytes) : rest_(bytes) {}

    bool atEnd() const { return rest_.empty(); }

    std::optional<std::string_view> take(std::size_t n) {
        if (n > rest_.size()) return std::nullopt;
        const std::string_view field = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return field;
    }

    // A 2-byte length followed by that many bytes.
    std::optional<std::string_view> takeCounted() {
        const auto length = take(2);
        if (!length) return std::nullopt;
        return take(bytesToWord(*length));
    }

  private:
    std::string_view rest_;
};

std::shared_ptr<Tcom> tryReadRecord(FieldReader& in) {
    const auto address = in.take(4);
    if (!address) return nullptr;
    const auto port = in.take(2);
    if (!port) return nullptr;
    const auto hexName = in.takeCounted();
    if (!hexName) return nullptr;
    const auto extraData = in.takeCounted();
    if (!extraData) return nullptr;
    auto entry = std::make_shared<Tcom>();
    entry->address = bytesToAddress(*address);
    entry->port = bytesToWord(*port);
    entry->hexName = *hexName;
    entry->wideName = hexToWide(entry->hexName);
    entry->extraData = *extraData;
    return entry;
}

}  // namespace

ServerList parseServerList(std::string_view frame) {
    ServerList servers;
    FieldReader in(frame.substr(std::min<std::size_t>(frame.size(), 4)));
    while (!in.atEnd()) {
        std::shared_ptr<Tcom> entry = tryReadRecord(in);
        if (!entry) break;
        servers.push_back(std::move(entry));
    }
    return servers;
}

std::vector<ServerListItem> serverListItems(const ServerList& servers) {
    std::vector<ServerListItem> items;
    items.reserve(servers.size());
    for (const auto& entry : servers)
        items.push_back({static_cast<int>(items.size()), entry->wideName});
    return items;
}

}  // namespace veld
