#include "protocol/text_table.h"

#include "protocol/codepage.h"
#include "protocol/embedded.h"
#include "protocol/fields.h"

namespace veld {

namespace {

// Calls f for every line of text (without its line end; CR LF and LF both end a line).
template <typename F>
void forEachLine(std::string_view text, F&& f) {
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        f(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

TextTable TextTable::fromText(std::string_view tableText, std::string_view charsText,
                              std::string_view wordsText) {
    TextTable table;
    forEachLine(tableText, [&](std::string_view line) {
        if (line.size() < 4 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2]) ||
            line[3] != ' ')
            return;
        const int row = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
        if (row < 1 || row > kRows) return;
        table.rows_[static_cast<std::size_t>(row - 1)] = utf8ToWide(line.substr(4));
    });
    forEachLine(charsText, [&](std::string_view line) {
        if (!line.empty()) table.forbiddenChars_.push_back(utf8ToWide(line));
    });
    forEachLine(wordsText, [&](std::string_view line) {
        if (!line.empty()) table.forbiddenWords_.push_back(trimSpacesW(utf8ToWide(line)));
    });
    return table;
}

const TextTable& TextTable::builtIn() {
    static const TextTable table = fromText(embedded::texts_txt(), embedded::forbidden_chars_txt(),
                                            embedded::forbidden_words_txt());
    return table;
}

const std::u16string& TextTable::uiText(int row) const {
    if (row < 1 || row > kRows) return rows_[kRows];  // the unused slot, always empty
    return rows_[static_cast<std::size_t>(row - 1)];
}

}  // namespace veld
