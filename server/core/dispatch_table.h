// The handlers of one server, by message code. Each subsystem adds the codes it owns; a session
// hands every frame to dispatch(), which also enforces the order of the conversation (what is
// allowed before and after the connection is bound to an account) and the shortest frame each
// code's layout needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

namespace veld::server {

// Whether a connection is bound to an account yet: logged in on the community server, joined
// on a game server.
enum class Binding { Unbound, Bound };

enum class DispatchOutcome {
    Handled,
    // A bound connection sent a code nobody handles: ignored, the conversation goes on.
    Ignored,
    // The frame breaks the protocol (too short for its layout, unknown or out of turn before the
    // connection is bound, a second binding request): the connection must be closed.
    Refused,
};

template <class Session>
class DispatchTable {
  public:
    using Handler = std::function<void(Session& session, std::string_view frame)>;

    // Registers the handler of a two-character code for connections in state `when`. The
    // handler sees only frames of at least `minLength` bytes (positions count from the length
    // prefix, so a code alone is 4 bytes). Registering a code twice is a programming error.
    void add(std::string_view code, Binding when, std::size_t minLength, Handler handler) {
        if (code.size() != 2) throw std::logic_error("message codes have two characters");
        if (!entries_.emplace(key(code), Entry{when, minLength, std::move(handler)}).second)
            throw std::logic_error("message code registered twice: " + std::string(code));
    }

    DispatchOutcome dispatch(Session& session, std::string_view frame, Binding state) const {
        if (frame.size() < 4) return DispatchOutcome::Refused;
        const auto it = entries_.find(key(frame.substr(2, 2)));
        if (it == entries_.end())
            return state == Binding::Bound ? DispatchOutcome::Ignored : DispatchOutcome::Refused;
        const Entry& entry = it->second;
        if (entry.when != state || frame.size() < entry.minLength) return DispatchOutcome::Refused;
        entry.handler(session, frame);
        return DispatchOutcome::Handled;
    }

  private:
    struct Entry {
        Binding when;
        std::size_t minLength;
        Handler handler;
    };
    static std::uint16_t key(std::string_view code) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(code[0]) << 8 |
                                          static_cast<unsigned char>(code[1]));
    }
    std::unordered_map<std::uint16_t, Entry> entries_;
};

}  // namespace veld::server
