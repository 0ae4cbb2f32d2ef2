#include "protocol/fields.h"

#include <charconv>
#include <system_error>

namespace veld {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view skipLeadingSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

std::size_t countDigits(std::string_view s, std::size_t from) {
    std::size_t n = 0;
    while (from + n < s.size() && isDigit(s[from + n])) ++n;
    return n;
}

}  // namespace

std::u16string flattenLines(std::u16string_view w) {
    std::u16string out(w);
    for (char16_t& c : out) {
        if (c == u'\r' || c == u'\n') c = u' ';
    }
    return out;
}

std::u16string trimSpacesW(std::u16string_view w) {
    const auto last = w.find_last_not_of(u' ');
    if (last == std::u16string_view::npos) return {};
    const auto first = w.find_first_not_of(u' ');
    return std::u16string(w.substr(first, last - first + 1));
}

std::string padRight(std::string_view s, std::size_t n) {
    std::string out(s.substr(0, n));
    out.resize(n, ' ');
    return out;
}

std::string padZero(std::string_view s, std::size_t n) {
    if (s.size() >= n) return std::string(s.substr(0, n));
    return std::string(n - s.size(), '0') + std::string(s);
}

std::string digitsOrOne(std::string_view s) {
    for (char c : s) {
        if (!isDigit(c)) return "1";
    }
    return std::string(s);
}

int toIntDef(std::string_view s, int d) {
    s = skipLeadingSpaces(s);
    // from_chars takes '-' but not '+'; a '+' must still be followed by digits.
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (s.empty() || !isDigit(s.front())) return d;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc{} || end != s.data() + s.size()) return d;
    return value;
}

double toFloatDef(std::string_view s, double d) {
    s = skipLeadingSpaces(s);
    const auto last = s.find_last_not_of(' ');
    s = last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
    // from_chars takes '-' but not '+'.
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-') return d;
    }

    // Check the whole grammar first: from_chars also reads "inf", "nan" and hex forms.
    std::size_t i = (!s.empty() && s.front() == '-') ? 1 : 0;
    std::size_t digits = countDigits(s, i);
    i += digits;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fraction = countDigits(s, i + 1);
        digits += fraction;
        i += 1 + fraction;
    }
    if (digits == 0) return d;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t k = i + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        const std::size_t exponent = countDigits(s, k);
        if (exponent == 0) return d;
        i = k + exponent;
    }
    if (i != s.size()) return d;

    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc{} || end != s.data() + s.size()) return d;
    return value;
}

std::string nextToken(std::string_view s, std::size_t& pos) {
    const std::size_t start = pos == 0 ? 0 : pos - 1;  // 0-based
    if (start >= s.size()) return {};
    const auto space = s.find(' ', start);
    if (space == std::string_view::npos) return std::string(s.substr(start));
    pos = space + 2;  // 1-based position just past the space
    return std::string(s.substr(start, space - start));
}

std::filesystem::path docFilePath(const std::filesystem::path& programFolder,
                                  std::string_view name) {
    return programFolder / "doc" / (std::string(name) + ".txt");
}

}  // namespace veld
