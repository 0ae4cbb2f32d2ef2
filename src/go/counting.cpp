#include "go/counting.h"

#include <charconv>

#include "protocol/codepage.h"
#include "protocol/text_table.h"

namespace veld {

namespace {

enum Row {
    kBlackFormulaRow = 360,  // "黑地 = 黑空 - 黑死子 - 貼目"
    kWhiteFormulaRow = 363,  // "白地 = 白空 - 白死子"
    kBlackAreaRow = 503,     // "黑地"
    kWhiteAreaRow = 506,     // "白地"
};

std::u16string wide(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string wide(double n) {
    return wide(shortestDecimal(n));
}

}  // namespace

std::string shortestDecimal(double n) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, n);
    return error == std::errc() ? std::string(text, end) : std::string("0");
}

std::string resultCodeFor(double score) {
    if (score == 0) return "B+0";
    return score > 0 ? "B+" + shortestDecimal(score) : "W+" + shortestDecimal(-score);
}

std::u16string scoreMessage(const ScoreCount& count, const TextTable& texts) {
    const std::u16string crlf = u"\r\n";
    std::u16string text =
        texts.uiText(kBlackFormulaRow) + crlf + texts.uiText(kWhiteFormulaRow) + crlf + crlf;
    text += texts.uiText(kBlackAreaRow) + u" = " + wide(count.blackTerritory) + u" - " +
            wide(count.blackLost) + u" - " + big5ToWide(count.komiText) + u" = " +
            wide(count.blackScore()) + crlf;
    text += texts.uiText(kWhiteAreaRow) + u" = " + wide(count.whiteTerritory) + u" - " +
            wide(count.whiteLost) + u" = " + wide(count.whiteScore()) + crlf + crlf;
    return text + wide(resultCodeFor(count.score()));
}

}  // namespace veld
