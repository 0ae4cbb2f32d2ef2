#include "protocol/dispatcher.h"

#include <stdexcept>
#include <string>

#include "protocol/codepage.h"
#include "protocol/wire.h"

namespace veld {

std::uint16_t Dispatcher::key(std::string_view code) {
    return bytesToWord(code);
}

void Dispatcher::add(std::string_view code, Handler handler) {
    if (code.size() != 2) throw std::logic_error("message code must be two characters");
    if (!handlers_.emplace(key(code), std::move(handler)).second)
        throw std::logic_error("message code registered twice: " + std::string(code));
}

bool Dispatcher::handles(std::string_view code) const {
    return code.size() == 2 && handlers_.contains(key(code));
}

void Dispatcher::processCommand(std::string_view frame, Link link) const {
    const std::string_view code = frame.substr(std::min<std::size_t>(frame.size(), 2), 2);
    if (code.size() != 2) return;
    const auto found = handlers_.find(key(code));
    if (found == handlers_.end()) return;
    try {
        found->second(frame, link);
    } catch (...) {
        dialogs_.showWarning(u"System Error = " + big5ToWide(code));
    }
}

}  // namespace veld
