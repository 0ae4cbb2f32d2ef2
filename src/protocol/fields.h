// Helpers for the text fields of frames and of the text lists: line flattening, trimming,
// fixed-width fields, lenient number parsing and space-separated tokens.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace veld {

// Every CR and every LF replaced by one space (CR LF becomes two spaces).
std::u16string flattenLines(std::u16string_view w);
// w without U+0020 at its end and its start; other white space stays.
std::u16string trimSpacesW(std::u16string_view w);

// Exactly n bytes: the first n bytes of s, or s followed by spaces.
std::string padRight(std::string_view s, std::size_t n);
// Exactly n bytes: the first n bytes of s (a longer s loses its end), or s preceded by '0's.
std::string padZero(std::string_view s, std::size_t n);
// s when every byte is a digit '0'-'9' (the empty text included), otherwise "1".
std::string digitsOrOne(std::string_view s);

// s as a decimal int: leading spaces, an optional sign, then digits only, within int's range;
// anything else gives d.
int toIntDef(std::string_view s, int d);
// s as a real number: leading and trailing spaces, an optional sign, digits with an optional
// '.' fraction (at least one digit in all) and an optional exponent; a value out of double's
// range or any other text (also "inf" and "nan") gives d.
double toFloatDef(std::string_view s, double d);

// Reads s from the 1-based position pos up to the next space. When a space is found, pos moves
// just past it and the bytes before it are returned. When the end of s comes first, the bytes
// read are returned and pos is left as it was, which tells the caller that this was the last
// token; a pos beyond the end gives empty text. A pos of 0 reads from the first byte.
std::string nextToken(std::string_view s, std::size_t& pos);

// The text list `name`.txt in the folder doc below the program folder.
std::filesystem::path docFilePath(const std::filesystem::path& programFolder,
                                  std::string_view name);

}  // namespace veld
