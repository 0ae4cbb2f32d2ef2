#include "protocol/wire.h"

#include <algorithm>

namespace veld {

namespace {
unsigned char byteAt(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}
}  // namespace

std::string wordToBytes(std::uint32_t v) {
    return {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}

std::uint16_t bytesToWord(std::string_view s) {
    if (s.size() < 2) return 0;
    return static_cast<std::uint16_t>(byteAt(s, 0) << 8 | byteAt(s, 1));
}

std::string longToBytes(std::uint32_t v) {
    return {static_cast<char>((v >> 24) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}

std::uint32_t bytesToLong(std::string_view s) {
    if (s.size() != 4) return 0;
    return std::uint32_t{byteAt(s, 0)} << 24 | std::uint32_t{byteAt(s, 1)} << 16 |
           std::uint32_t{byteAt(s, 2)} << 8 | std::uint32_t{byteAt(s, 3)};
}

std::string bytesToAddress(std::string_view s) {
    std::string out;
    for (int i = 3; i >= 0; --i) {
        const auto u = static_cast<std::size_t>(i);
        out += std::to_string(u < s.size() ? byteAt(s, u) : 0);
        if (i > 0) out += '.';
    }
    return out;
}

std::string wideToUnits(std::u16string_view w) {
    std::string out;
    out.reserve(w.size() * 2);
    for (char16_t c : w) out += wordToBytes(c);
    return out;
}

std::u16string unitsToWide(std::string_view s) {
    std::u16string out;
    out.reserve(s.size() / 2);
    for (std::size_t i = 0; i + 1 < s.size(); i += 2)
        out += static_cast<char16_t>(bytesToWord(s.substr(i, 2)));
    return out;
}

std::string wideToHex(std::u16string_view w) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(w.size() * 4);
    for (char16_t c : w) {
        for (int shift = 12; shift >= 0; shift -= 4) out += digits[(c >> shift) & 0xF];
    }
    return out;
}

int hexDigitValue(char c) {
    const int v = static_cast<unsigned char>(c);
    return v <= '9' ? std::max(0, v - '0') : std::max(0, v - 'A' + 10);
}

std::u16string hexToWide(std::string_view s) {
    std::u16string out;
    out.reserve(s.size() / 4);
    for (std::size_t i = 0; i + 3 < s.size(); i += 4) {
        int unit = 0;
        for (std::size_t k = 0; k < 4; ++k) unit = unit * 16 + hexDigitValue(s[i + k]);
        out += static_cast<char16_t>(unit & 0xFFFF);
    }
    return out;
}

}  // namespace veld
