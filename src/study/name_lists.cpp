#include "study/name_lists.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "protocol/codepage.h"
#include "protocol/fields.h"
#include "protocol/file_write.h"

namespace veld {

namespace {

constexpr int kEditRow = 9;  // "編輯"

// The file's text: UTF-8 (a byte order mark dropped), or code page 950 when it is not UTF-8, as
// older installations wrote it. Empty when the file cannot be read.
std::u16string readListFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string_view text = bytes;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return isValidUtf8(text) ? utf8ToWide(text) : big5ToWide(text);
}

}  // namespace

NameLists::NameLists(std::filesystem::path docFolder, const TextTable& texts)
    : docFolder_(std::move(docFolder)), texts_(texts) {}

std::filesystem::path NameLists::filePath(NameList list) const {
    return docFolder_ / (list == NameList::games ? "gamelist.txt" : "playerlist.txt");
}

void NameLists::load() {
    for (const NameList list : {NameList::games, NameList::players})
        entries_[index(list)] = parse(readListFile(filePath(list)));
}

std::vector<std::u16string> NameLists::parse(std::u16string_view text) const {
    std::vector<std::u16string> result;
    const std::u16string& edit = texts_.uiText(kEditRow);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) end = text.size();
        std::u16string entry = trimSpacesW(text.substr(start, end - start));
        if (!entry.empty() && entry != edit) result.push_back(std::move(entry));
        start = end + 1;
    }
    return result;
}

const std::vector<std::u16string>& NameLists::entries(NameList list) const {
    return entries_[index(list)];
}

std::vector<std::u16string> NameLists::items(NameList list) const {
    std::vector<std::u16string> result{texts_.uiText(kEditRow)};
    const auto& listed = entries(list);
    result.insert(result.end(), listed.begin(), listed.end());
    return result;
}

std::u16string NameLists::editText(NameList list) const {
    std::u16string text;
    for (const std::u16string& entry : entries(list)) text.append(entry).append(u"\r\n");
    return text;
}

std::string_view NameLists::hint(NameList list) {
    return list == NameList::games ? "editgamelist" : "editplayerlist";
}

bool NameLists::save(NameList list, std::u16string_view text) {
    entries_[index(list)] = parse(text);
    return replaceFile(filePath(list), wideToUtf8(editText(list)));
}

}  // namespace veld
