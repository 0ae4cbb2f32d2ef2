// The numbered table of interface texts and the two word lists that screen names and chat.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace veld {

class TextTable {
  public:
    static constexpr int kRows = 999;

    // The table and lists built into the program, loaded on first use.
    static const TextTable& builtIn();

    // Parses the table file: one row a line, "NNN text" (three-digit row number, one space,
    // the text, which may itself begin with a space). Rows not listed stay empty. UTF-8.
    static TextTable fromText(std::string_view tableText, std::string_view charsText,
                              std::string_view wordsText);

    // Row k (1..999); empty for rows without text and for numbers outside the table.
    const std::u16string& uiText(int row) const;

    // Single forbidden characters, in order, repeats kept.
    const std::vector<std::u16string>& forbiddenChars() const { return forbiddenChars_; }
    // Forbidden words, trimmed of spaces, in order.
    const std::vector<std::u16string>& forbiddenWords() const { return forbiddenWords_; }

  private:
    std::array<std::u16string, kRows + 1>
        rows_{};  // rows_[k - 1] is row k; the last slot is unused
    std::vector<std::u16string> forbiddenChars_;
    std::vector<std::u16string> forbiddenWords_;
};

}  // namespace veld
