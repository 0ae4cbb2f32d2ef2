// Code-page conversion between 8-bit text and UTF-16: the one place where code pages are
// converted. Supported code pages: 950 (Traditional Chinese, the wire's), 936, 949, 932, 874, 437.
#pragma once

#include <string>
#include <string_view>

namespace veld {

class Dialogs;

// The code page used when a conversion with the requested one is impossible. On this platform
// the system's multi-byte text is UTF-8, so the fallback decodes UTF-8.
inline constexpr int kDefaultCodePage = 65001;  // UTF-8

// Converts s up to its first NUL byte. Bytes that are not valid in codePage are decoded
// leniently (each becomes U+FFFD) rather than failing. If codePage cannot be converted at all
// (unknown code page), the text is converted with kDefaultCodePage instead.
std::u16string ansiToWide(std::string_view s, int codePage);
// Converts w to codePage; characters the code page cannot hold are left out (no default
// character is substituted). Unknown code pages fall back to kDefaultCodePage.
std::string wideToAnsi(std::u16string_view w, int codePage);

// Code page 950. A conversion error (the code page cannot be converted on this system) is
// reported on `report` as "encodex error = " + s, and the caller continues with the fallback.
std::u16string big5ToWide(std::string_view s, Dialogs* report = nullptr);
// ansiToWide that reports on `report` (when given) as big5ToWide does if codePage cannot be
// converted on this system; big5ToWide is this with code page 950.
std::u16string ansiToWideOrReport(std::string_view s, int codePage, Dialogs* report);
std::string wideToBig5(std::u16string_view w);

// UTF-8 <-> UTF-16. Invalid UTF-8 bytes become U+FFFD; unpaired surrogates become U+FFFD.
std::u16string utf8ToWide(std::string_view s);
std::string wideToUtf8(std::u16string_view w);
// True when s is well-formed UTF-8 (used to recognise UTF-8 files that do not say so).
bool isValidUtf8(std::string_view s);

}  // namespace veld
