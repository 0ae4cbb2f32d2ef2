#include "protocol/rank_code.h"

#include <algorithm>
#include <cstdlib>

namespace veld {

namespace {

int baseOf(std::uint8_t code) {
    return code > 100 ? code - 100 : code;
}

std::string plainRankText(int b) {
    if (b == 0) return "26k";
    if (b <= 25) return std::to_string(26 - b) + "k";
    if (b <= 34) return std::to_string(b - 25) + "d";
    if (b <= 43) return std::to_string(b - 34) + "p";
    if (b <= 49) return {};
    if (b <= 55) return std::to_string(std::abs(b - 55) + 26) + "k";
    return std::to_string(b - 29) + "k";
}

}  // namespace

std::string rankCodeToText(std::uint8_t code) {
    std::string text = plainRankText(baseOf(code));
    if (isEstablished(code)) text += '*';
    return text;
}

std::string rankCodeToText(std::string_view code) {
    return rankCodeToText(code.empty() ? kRankCodeOfEmpty : static_cast<std::uint8_t>(code[0]));
}

std::string rankCodeToLabel(std::uint8_t code) {
    std::string text = rankCodeToText(code);
    return text == "31k" ? std::string("NR") : text;
}

int rankCodeToValue(std::uint8_t code) {
    const int b = baseOf(code);
    return b >= 50 && b <= 55 ? b - 55 : b;
}

bool isEstablished(std::uint8_t code) {
    return code > 100;
}

bool isStronger(std::uint8_t a, std::uint8_t b) {
    return rankCodeToValue(a) > rankCodeToValue(b);
}

std::uint8_t rankTextToCode(std::string_view text, bool established) {
    if (text == "NR") text = "31k";
    int v = 26;
    if (text.size() > 1) {
        const std::string_view digits = text.substr(0, text.size() - 1);
        int n = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9') {
                n = 1;
                break;
            }
            // Capped: no rank has more than three digits, and a long text must not overflow.
            n = std::min(n * 10 + (c - '0'), 1000);
        }
        switch (text.back()) {
            case 'k':
                v = 26 - n;
                break;
            case 'd':
                v = n + 25;
                break;
            case 'p':
                v = n + 34;
                break;
            default:
                v = 26;
                break;
        }
        if (v <= 0) v += 55;
    }
    if (established) v += 100;
    return static_cast<std::uint8_t>(v);
}

}  // namespace veld
