#include "protocol/frame_fields.h"

#include <array>

#include "protocol/wire.h"

namespace veld {

std::string_view frameField(std::string_view frame, std::size_t pos, std::size_t width) {
    if (pos == 0 || pos > frame.size()) return {};
    return frame.substr(pos - 1, width);
}

std::string_view frameRest(std::string_view frame, std::size_t pos) {
    if (pos == 0 || pos > frame.size()) return {};
    return frame.substr(pos - 1);
}

std::uint8_t frameByte(std::string_view frame, std::size_t pos) {
    const std::string_view f = frameField(frame, pos, 1);
    return f.empty() ? 0 : static_cast<std::uint8_t>(f[0]);
}

std::uint16_t frameWord(std::string_view frame, std::size_t pos) {
    return bytesToWord(frameField(frame, pos, 2));
}

std::string_view trimSpaces(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

std::optional<std::string> tryAddressToBytes(std::string_view dotted) {
    std::array<int, 4> parts{};
    std::size_t part = 0;
    int digits = 0;
    for (char c : dotted) {
        if (c == '.') {
            if (digits == 0 || ++part == parts.size()) return std::nullopt;
            digits = 0;
        } else if (c >= '0' && c <= '9') {
            if (++digits > 3) return std::nullopt;
            parts[part] = parts[part] * 10 + (c - '0');
            if (parts[part] > 255) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (part != 3 || digits == 0) return std::nullopt;
    std::string out(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) out[i] = static_cast<char>(parts[3 - i]);
    return out;
}

}  // namespace veld
