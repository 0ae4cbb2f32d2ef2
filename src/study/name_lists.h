// The lists of earlier game titles and player names that the record information dialog offers:
// doc/gamelist.txt and doc/playerlist.txt below the program folder, one entry a line. The first
// item of each list in the dialog is "編輯", which opens the list on the editor page.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/text_table.h"

namespace veld {

enum class NameList { games, players };

class NameLists {
  public:
    // docFolder is programFolder / "doc"; the texts give the first item "編輯" (row 9) and must
    // outlive the lists.
    explicit NameLists(std::filesystem::path docFolder,
                       const TextTable& texts = TextTable::builtIn());

    // Reads both files (UTF-8, or code page 950 when a file is not UTF-8). A missing or
    // unreadable file gives an empty list.
    void load();
    // The entries read, in file order: without empty lines, spaces at either end, and the
    // entry "編輯" (choosing it in the dialog would open the editor instead).
    const std::vector<std::u16string>& entries(NameList list) const;
    // The dialog's items: "編輯" first, then the entries.
    std::vector<std::u16string> items(NameList list) const;
    // What the editor page opens with: the entries, each followed by CR LF.
    std::u16string editText(NameList list) const;
    // The editor page's hint for the list: "editgamelist" or "editplayerlist".
    static std::string_view hint(NameList list);
    // "儲存" on the editor page: the lines of text become the list (as load would read them) and
    // are written to its file in UTF-8, one a line. False when the file cannot be written; the
    // list keeps the new entries all the same and the file keeps what it held.
    bool save(NameList list, std::u16string_view text);
    // The list's file.
    std::filesystem::path filePath(NameList list) const;

  private:
    std::vector<std::u16string> parse(std::u16string_view text) const;
    static std::size_t index(NameList list) { return static_cast<std::size_t>(list); }

    std::filesystem::path docFolder_;
    const TextTable& texts_;
    std::array<std::vector<std::u16string>, 2> entries_;
};

}  // namespace veld
