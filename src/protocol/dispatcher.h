// Routes every incoming frame to the handler registered for its two-character code.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "protocol/ports.h"

namespace veld {

class Dispatcher {
  public:
    // A handler receives the whole frame, length prefix included, and the link it came on.
    using Handler = std::function<void(std::string_view frame, Link link)>;

    explicit Dispatcher(Dialogs& dialogs) : dialogs_(dialogs) {}

    // Registers the handler of a two-character code. Each code has one owner: registering a
    // code twice, or a code that is not two characters, is a programming error (std::logic_error).
    void add(std::string_view code, Handler handler);
    bool handles(std::string_view code) const;

    // The code is at frame positions 3-4. Frames whose code has no handler (including frames
    // too short to hold a code) are ignored. Anything a handler throws is caught here: a warning
    // "System Error = " + code is shown and the dispatcher returns normally, so the receive loop
    // goes on with the next frame.
    void processCommand(std::string_view frame, Link link) const;

  private:
    static std::uint16_t key(std::string_view code);

    Dialogs& dialogs_;
    std::unordered_map<std::uint16_t, Handler> handlers_;
};

}  // namespace veld
