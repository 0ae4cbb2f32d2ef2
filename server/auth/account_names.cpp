#include "server/auth/account_names.h"

#include "protocol/frame_fields.h"

namespace veld::server {

std::optional<std::string> accountNameFromField(std::string_view field) {
    if (field.size() != 10 || field.front() == ' ') return std::nullopt;
    const std::string_view name = trimSpaces(field);
    if (name.size() < 2 || name == "sys" || name == "NA") return std::nullopt;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
    }
    return std::string(name);
}

bool isRegistrableName(std::string_view name) {
    return name.find(' ') == std::string_view::npos;
}

}  // namespace veld::server
