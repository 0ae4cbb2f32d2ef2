#include "protocol/result_text.h"

#include "protocol/codepage.h"
#include "protocol/text_table.h"

namespace veld {

namespace {

// Rows of the text table.
constexpr int kRowRuling = 385;    // the game goes to a ruling
constexpr int kRowResigns = 752;   // resigns
constexpr int kRowTimeLoss = 755;  // loses on time or by a ruling
constexpr int kRowAdjourned = 986;
constexpr int kRowWins = 294;

// Trims control characters and spaces from both ends.
std::string_view trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

std::u16string resultSentence(std::u16string_view blackName, std::u16string_view whiteName,
                              std::string_view r, const TextTable& texts) {
    if (r.size() < 2 || r[1] != '+') return {};
    if (r[0] == 'E') return u"\r\n" + texts.uiText(kRowRuling);

    const std::string_view rest = trimmed(r.substr(2));
    const bool blackWins = r[0] == 'B';
    const std::u16string winner(blackWins ? blackName : whiteName);
    const std::u16string loser(blackWins ? whiteName : blackName);
    switch (rest.empty() ? '\0' : rest.front()) {
        case 'R':
            return loser + texts.uiText(kRowResigns);
        case 'T':
            return loser + texts.uiText(kRowTimeLoss);
        case 'S':
            return winner + texts.uiText(kRowAdjourned);
        default:
            return winner + u" " + texts.uiText(kRowWins) + big5ToWide(rest);
    }
}

}  // namespace veld
