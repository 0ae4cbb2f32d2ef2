// Fixed-width wire numbers and the two text forms of wide strings that travel in frames.
// 8-bit text is a std::string of bytes; wide text is UTF-16 code units (std::u16string).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veld {

// Two bytes, high byte first; bits above 15 are dropped.
std::string wordToBytes(std::uint32_t v);
// s[0]*256 + s[1]; 0 when s has fewer than 2 bytes. Bytes after the second are ignored.
std::uint16_t bytesToWord(std::string_view s);
// Four bytes, high byte first.
std::string longToBytes(std::uint32_t v);
// The four bytes as a big-endian number; 0 unless s has exactly 4 bytes.
std::uint32_t bytesToLong(std::string_view s);
// Dotted IPv4 text of 4 bytes listed from the last to the first (01 00 00 7F -> "127.0.0.1").
// Missing bytes count as 0.
std::string bytesToAddress(std::string_view s);

// Hex-unit text: every UTF-16 code unit as its two bytes, high byte first.
std::string wideToUnits(std::u16string_view w);
// The inverse; an odd last byte is ignored.
std::u16string unitsToWide(std::string_view s);

// Four upper-case hex digits per code unit ("4E2D" for U+4E2D).
std::string wideToHex(std::u16string_view w);
// Each complete group of four characters becomes one code unit; a trailing partial group is
// ignored. Characters outside 0-9/A-F are read leniently by hexDigitValue.
std::u16string hexToWide(std::string_view s);
// Up to '9': max(0, c - '0'); above '9': max(0, c - 'A' + 10).
int hexDigitValue(char c);

}  // namespace veld
