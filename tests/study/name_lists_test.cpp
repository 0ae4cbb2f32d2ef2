#include "study/name_lists.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/fake_files.h"

namespace veld {
namespace {

using Entries = std::vector<std::u16string>;

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(NameLists, LoadKeepsTheEntriesOfEachFile) {
    testing::TempFolder folder;
    // UTF-8 with a byte order mark, CR LF, blank lines, spaces and the editor's own item.
    folder.write("doc/gamelist.txt", "\xEF\xBB\xBF友誼賽\r\n\r\n  升降賽 \r\n編輯\r\n研究");
    // An older list in code page 950, LF only: 李昌鎬, 安.
    folder.write("doc/playerlist.txt", "\xA7\xF5\xA9\xF7\xC2\xEE\n\xA6\x77\n");
    NameLists lists(folder.path() / "doc");
    lists.load();

    EXPECT_EQ(lists.entries(NameList::games), (Entries{u"友誼賽", u"升降賽", u"研究"}));
    EXPECT_EQ(lists.entries(NameList::players), (Entries{u"李昌鎬", u"安"}));
    EXPECT_EQ(lists.items(NameList::players), (Entries{u"編輯", u"李昌鎬", u"安"}));
    EXPECT_EQ(lists.editText(NameList::games), u"友誼賽\r\n升降賽\r\n研究\r\n");
    EXPECT_EQ(NameLists::hint(NameList::games), "editgamelist");
    EXPECT_EQ(NameLists::hint(NameList::players), "editplayerlist");

    // A missing file is an empty list; the dialog still offers "編輯".
    std::filesystem::remove(folder.path() / "doc/gamelist.txt");
    lists.load();
    EXPECT_TRUE(lists.entries(NameList::games).empty());
    EXPECT_EQ(lists.items(NameList::games), Entries{u"編輯"});
    EXPECT_EQ(lists.editText(NameList::games), u"");
}

TEST(NameLists, SaveWritesTheEditedLinesAndReadsBackAlike) {
    testing::TempFolder folder;
    folder.write("doc/playerlist.txt", "old\r\n");
    NameLists lists(folder.path() / "doc");
    lists.load();

    EXPECT_TRUE(lists.save(NameList::players, u"李昌鎬\n\n編輯\r\n 曺薰鉉 "));
    EXPECT_EQ(lists.entries(NameList::players), (Entries{u"李昌鎬", u"曺薰鉉"}));
    EXPECT_EQ(fileBytes(folder.path() / "doc/playerlist.txt"), "李昌鎬\r\n曺薰鉉\r\n");
    NameLists reread(folder.path() / "doc");
    reread.load();
    EXPECT_EQ(reread.entries(NameList::players), lists.entries(NameList::players));
    EXPECT_TRUE(reread.entries(NameList::games).empty());
}

TEST(NameLists, AFailedSaveKeepsTheOldFileAndTheNewEntries) {
    testing::TempFolder folder;
    folder.write("doc/gamelist.txt", "old\r\n");
    // Where the list is written first, a folder stands in the way.
    std::filesystem::create_directories(folder.path() / "doc/gamelist.txt.tmp/x");
    NameLists lists(folder.path() / "doc");
    lists.load();

    EXPECT_FALSE(lists.save(NameList::games, u"new"));
    EXPECT_EQ(lists.entries(NameList::games), Entries{u"new"});
    EXPECT_EQ(fileBytes(folder.path() / "doc/gamelist.txt"), "old\r\n");

    NameLists nowhere(folder.path() / "missing");
    EXPECT_FALSE(nowhere.save(NameList::players, u"a"));
    EXPECT_EQ(nowhere.entries(NameList::players), Entries{u"a"});
}

}  // namespace
}  // namespace veld
