// The encoding of plain SGF files: the "CA" property of the first node, else UTF-8 recognised by
// its form, else the system's code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veld {

inline constexpr int kUtf8CodePage = 65001;

// The code page of a "CA" value (case and surrounding blanks ignored): kUtf8CodePage for UTF-8,
// 950 for Big5, 936 for GB2312/GBK/GB18030, 949 for EUC-KR, 932 for Shift_JIS; nullopt for any
// other name.
std::optional<int> codePageForCharset(std::string_view name);

// The value of the "CA" property of the first node of the first game tree, found on the bytes
// without decoding them; nullopt when that node has none.
std::optional<std::string> findRootCharset(std::string_view text);

struct DecodedSgfText {
    std::u16string text;
    int codePage = 0;
    // The encoding was named by the file or recognised as UTF-8, not taken from the system.
    bool fromFile = false;
};

// Decodes a plain SGF text: with the code page its "CA" names when that is known; else as UTF-8
// when the text is well-formed UTF-8 with at least one non-ASCII byte; else with systemCodePage.
DecodedSgfText decodePlainSgfText(std::string_view text, int systemCodePage);

}  // namespace veld
