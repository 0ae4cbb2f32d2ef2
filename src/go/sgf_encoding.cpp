#include "go/sgf_encoding.h"

#include <algorithm>
#include <cctype>

#include "protocol/codepage.h"

namespace veld {

namespace {

// Lower case without "-", "_" and blanks: "Shift_JIS", "shift-jis" and "SHIFTJIS" are one name.
std::string canonicalName(std::string_view name) {
    std::string out;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '-' || c == '_' || u <= 0x20) continue;
        out += static_cast<char>(std::tolower(u));
    }
    return out;
}

struct Charset {
    std::string_view name;  // canonical form
    int codePage;
};

constexpr Charset kCharsets[] = {
    {"utf8", kUtf8CodePage}, {"big5", 950},       {"big5hkscs", 950},
    {"cp950", 950},          {"ms950", 950},      {"windows950", 950},
    {"xbig5", 950},          {"gb2312", 936},     {"gbk", 936},
    {"gb18030", 936},        {"cp936", 936},      {"ms936", 936},
    {"windows936", 936},     {"euccn", 936},      {"xgbk", 936},
    {"eucgb2312cn", 936},    {"euckr", 949},      {"cp949", 949},
    {"ms949", 949},          {"windows949", 949}, {"uhc", 949},
    {"ksc56011987", 949},    {"ksc5601", 949},    {"shiftjis", 932},
    {"sjis", 932},           {"cp932", 932},      {"ms932", 932},
    {"windows31j", 932},     {"xsjis", 932},      {"mskanji", 932},
    {"windows932", 932},
};

bool isHigh(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

std::optional<int> codePageForCharset(std::string_view name) {
    const std::string key = canonicalName(name);
    for (const Charset& c : kCharsets) {
        if (c.name == key) return c.codePage;
    }
    return std::nullopt;
}

// The bytes are scanned as far as the end of the first node. The encoding is not known yet, so
// two guesses keep the scan on track in every candidate: a backslash right after a byte above
// 0x7F is the second byte of a double-byte character rather than an escape, and an identifier is
// the run of capital letters just before its "[", so that stray bytes before it do not hide it.
std::optional<std::string> findRootCharset(std::string_view text) {
    std::size_t i = text.find('(');
    if (i == std::string_view::npos) return std::nullopt;
    i = text.find(';', i);
    if (i == std::string_view::npos) return std::nullopt;
    ++i;
    std::size_t idStart = i;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ';' || c == '(' || c == ')') return std::nullopt;
        if (c != '[') {
            ++i;
            continue;
        }
        std::size_t idEnd = i;
        while (idEnd > idStart && static_cast<unsigned char>(text[idEnd - 1]) <= 0x20) --idEnd;
        std::size_t idFrom = idEnd;
        while (idFrom > idStart && text[idFrom - 1] >= 'A' && text[idFrom - 1] <= 'Z') --idFrom;
        const bool isCharset = text.substr(idFrom, idEnd - idFrom) == "CA";
        std::string value;
        ++i;
        while (i < text.size() && text[i] != ']') {
            if (text[i] == '\\' && i + 1 < text.size() && !(i > 0 && isHigh(text[i - 1]))) ++i;
            value += text[i++];
        }
        if (isCharset) return value;
        ++i;
        idStart = i;
    }
    return std::nullopt;
}

DecodedSgfText decodePlainSgfText(std::string_view text, int systemCodePage) {
    DecodedSgfText out;
    if (const auto charset = findRootCharset(text)) {
        if (const auto codePage = codePageForCharset(*charset)) {
            out.codePage = *codePage;
            out.fromFile = true;
        }
    }
    if (!out.fromFile && std::any_of(text.begin(), text.end(), isHigh) && isValidUtf8(text)) {
        out.codePage = kUtf8CodePage;
        out.fromFile = true;
    }
    if (!out.fromFile) out.codePage = systemCodePage;
    out.text = out.codePage == kUtf8CodePage ? utf8ToWide(text) : ansiToWide(text, out.codePage);
    return out;
}

}  // namespace veld
