// The players of the joined game server (userList) and the lobby's player list as a
// presentation model: rows, cells, the column sorts with their one shared direction, selection
// and key search. A view binds to it through ListObserver.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lobby/list_observer.h"
#include "lobby/list_sort.h"
#include "lobby/user.h"

namespace veld {

enum class PlayerColumn {
    Name,       // "棋友": the row caption
    Rank,       // "棋力"
    Status,     // "態"
    Wish,       // "願"
    Friend,     // "友": an image only
    Ranking,    // "排名"
    Wins,       // "勝"
    Losses,     // "負"
    WinRate,    // "勝率"
    Promotion,  // "升降"
    Tag,        // headed by an image
    Region,     // "FROM"
    Sex,        // "SX"
    Age,        // "AG"
    Job,        // "PO"
    Language,   // "LANG"
};
inline constexpr int kPlayerColumnCount = 16;

inline constexpr int kFriendImage = 9;
inline constexpr int kBlockedImage = 17;
inline constexpr int kNoImage = -1;

// Caption and initial width of each column (the tag column has no caption, only image 10).
struct PlayerColumnInfo {
    std::u16string_view caption;
    int width;  // 0: the view's default
};
const PlayerColumnInfo& playerColumnInfo(PlayerColumn column);

class PlayerList {
  public:
    void setObserver(ListObserver* observer) { observer_ = observer; }

    // --- userList ---
    const std::vector<UserRef>& users() const { return users_; }
    // Login: an empty list, no rows, no selection, direction +1.
    void reset();
    // Leaving the server: the records go; the rows stay until the next rebuild.
    void clearUsers();
    void appendUser(UserRef user) { users_.push_back(std::move(user)); }
    // First record, in list order, with this uid; null when none.
    UserRef findUserByuid(std::uint16_t uid) const;
    // First record whose name equals the text without its outer spaces; null when none.
    UserRef findUserByName(std::string_view text) const;
    // Deletes the record's row if it has one and removes it from the list.
    void removeUser(const UserRef& user);

    // --- rows ---
    const std::vector<UserRef>& rows() const { return rows_; }
    // The first row of this record; -1 when none.
    int findlistviewindex(const Tuser* user) const;
    // Refreshes the record's row, appending one when it has none; nothing for null.
    void updateuser(const UserRef& user);
    // Appends a row without looking for an existing one.
    void adduserToList(const UserRef& user);
    // One row per record in list order; no selection.
    void showplayerlist();
    // The cell text of a row; the friend column has none (see friendImage).
    std::u16string cellText(int row, PlayerColumn column) const;
    static std::u16string cellText(const Tuser& user, PlayerColumn column);
    static int friendImage(const Tuser& user);

    // A click on a column: sorts by its order times the direction, then negates the direction.
    // The direction is shared by all columns.
    void sortByColumn(PlayerColumn column);
    int userSortDirection() const { return userSortDirection_; }
    void setUserSortDirection(int direction) { userSortDirection_ = direction; }

    // --- selection ---
    int selectedRow() const { return selectedRow_; }
    // Selects a row (-1 or out of range: none) without the click behaviour.
    void selectRow(int row);
    // The click behaviour: selectedUser becomes the selected row's record; false when no row is
    // selected (selectedUser stays).
    bool rowClicked();
    const UserRef& selectedUser() const { return selectedUser_; }
    // The first row whose caption equals the player's displayName, selected and clicked; false
    // for null or when no row matches.
    bool locateuser(const UserRef& user);
    // A key press: from the row after the selected one, wrapping to the top, the first row whose
    // caption begins with `key` is selected and clicked. False for a space, without a selection
    // or without a match.
    bool keySearch(char16_t key);

  private:
    void notifyReset();

    std::vector<UserRef> users_;
    std::vector<UserRef> rows_;
    UserRef selectedUser_;
    int selectedRow_ = -1;
    int userSortDirection_ = 1;
    ListObserver* observer_ = nullptr;
};

}  // namespace veld
