// Reading fields out of received frames by their 1-based positions, and the 8-bit text and
// address forms that servers need to build the same fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veld {

// The `width` bytes of a frame starting at the 1-based position `pos` (the length prefix is
// at 1-2, the code at 3-4). Clipped at the end of the frame: a field past the end is empty.
std::string_view frameField(std::string_view frame, std::size_t pos, std::size_t width);
// Everything from the 1-based position `pos` to the end of the frame ("pos.."); empty past the
// end.
std::string_view frameRest(std::string_view frame, std::size_t pos);

// The byte at the 1-based position `pos`; 0 past the end of the frame.
std::uint8_t frameByte(std::string_view frame, std::size_t pos);
// The big-endian 2-byte number at the 1-based position `pos`; the bytes past the end of the frame
// read as 0.
std::uint16_t frameWord(std::string_view frame, std::size_t pos);

// s without the spaces (0x20 only) at its start and its end.
std::string_view trimSpaces(std::string_view s);

// The 4-byte wire form of a dotted IPv4 text, the inverse of bytesToAddress: the bytes are
// listed from the last number to the first ("127.0.0.1" -> 01 00 00 7F). nullopt unless the text
// is four decimal numbers 0-255 joined by dots.
std::optional<std::string> tryAddressToBytes(std::string_view dotted);

}  // namespace veld
