#include "lobby/player_list.h"

#include <algorithm>
#include <array>

#include "protocol/codepage.h"
#include "protocol/frame_fields.h"

namespace veld {

namespace {

constexpr std::array<PlayerColumnInfo, kPlayerColumnCount> kColumns{{
    {u"棋友", 100},
    {u"棋力", 45},
    {u"態", 28},
    {u"願", 28},
    {u"友", 28},
    {u"排名", 44},
    {u"勝", 0},
    {u"負", 0},
    {u"勝率", 44},
    {u"升降", 44},
    {u"", 40},
    {u"FROM", 60},
    {u"SX", 28},
    {u"AG", 28},
    {u"PO", 80},
    {u"LANG", 140},
}};

std::u16string number(int n) {
    return latin(std::to_string(n));
}

}  // namespace

const PlayerColumnInfo& playerColumnInfo(PlayerColumn column) {
    return kColumns[static_cast<std::size_t>(column)];
}

int compareCellText(std::u16string_view a, std::u16string_view b) {
    const auto fold = [](std::u16string_view w) {
        std::string s = wideToBig5(w);
        for (char& c : s)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return s;
    };
    const int c = fold(a).compare(fold(b));
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

void PlayerList::reset() {
    users_.clear();
    users_.reserve(500);
    rows_.clear();
    selectedUser_.reset();
    selectedRow_ = -1;
    userSortDirection_ = 1;
    notifyReset();
}

void PlayerList::clearUsers() {
    users_.clear();
    selectedUser_.reset();
}

UserRef PlayerList::findUserByuid(std::uint16_t uid) const {
    for (const auto& user : users_)
        if (user->uid == uid) return user;
    return nullptr;
}

UserRef PlayerList::findUserByName(std::string_view text) const {
    text = trimSpaces(text);
    for (const auto& user : users_)
        if (user->name == text) return user;
    return nullptr;
}

void PlayerList::removeUser(const UserRef& user) {
    const int row = findlistviewindex(user.get());
    if (row >= 0) {
        rows_.erase(rows_.begin() + row);
        if (selectedRow_ == row)
            selectedRow_ = -1;
        else if (selectedRow_ > row)
            --selectedRow_;
        if (observer_) observer_->rowRemoved(row);
    }
    std::erase(users_, user);
}

int PlayerList::findlistviewindex(const Tuser* user) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].get() == user) return static_cast<int>(i);
    return -1;
}

void PlayerList::updateuser(const UserRef& user) {
    if (!user) return;
    const int row = findlistviewindex(user.get());
    if (row < 0)
        adduserToList(user);
    else if (observer_)
        observer_->rowChanged(row);
}

void PlayerList::adduserToList(const UserRef& user) {
    rows_.push_back(user);
    if (observer_) observer_->rowInserted(static_cast<int>(rows_.size()) - 1);
}

void PlayerList::showplayerlist() {
    rows_ = users_;
    selectedUser_.reset();
    selectedRow_ = -1;
    notifyReset();
}

int PlayerList::friendImage(const Tuser& user) {
    if (user.friendMark == "O") return kFriendImage;
    if (user.friendMark == "X") return kBlockedImage;
    return kNoImage;
}

std::u16string PlayerList::cellText(int row, PlayerColumn column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
    return cellText(*rows_[static_cast<std::size_t>(row)], column);
}

std::u16string PlayerList::cellText(const Tuser& u, PlayerColumn column) {
    switch (column) {
        case PlayerColumn::Name:
            return u.displayName;
        case PlayerColumn::Rank:
            return big5ToWide(u.rankText);
        case PlayerColumn::Status:
            return u.playStatusText;
        case PlayerColumn::Wish:
            return big5ToWide(u.playWish);
        case PlayerColumn::Friend:
            return {};
        case PlayerColumn::Ranking:
            return number(u.ranking);
        case PlayerColumn::Wins:
            return number(u.wins);
        case PlayerColumn::Losses:
            return number(u.losses);
        case PlayerColumn::WinRate:
            return latin(u.winRateText);
        case PlayerColumn::Promotion:
            return number(u.promotionIndex);
        case PlayerColumn::Tag:
            return number(u.tagNumber);
        case PlayerColumn::Region:
            return u.regionText;
        case PlayerColumn::Sex:
            return big5ToWide(u.sexText);
        case PlayerColumn::Age:
            return u.ageText;
        case PlayerColumn::Job:
            return u.jobText;
        case PlayerColumn::Language:
            return big5ToWide(u.languageName);
    }
    return {};
}

void PlayerList::sortByColumn(PlayerColumn column) {
    const auto compare = [column](const Tuser& x, const std::u16string& xCell, const Tuser& y,
                                  const std::u16string& yCell) {
        switch (column) {
            case PlayerColumn::Name:
            case PlayerColumn::Status:
            case PlayerColumn::Wish:
            case PlayerColumn::WinRate:
            case PlayerColumn::Tag:
                return compareCellText(xCell, yCell);
            case PlayerColumn::Rank:
                return compareNumbers(y.rankValue, x.rankValue);
            case PlayerColumn::Friend:
                return compareNumbers(friendImage(y), friendImage(x));
            case PlayerColumn::Ranking:
                return compareNumbers(y.ranking, x.ranking);
            case PlayerColumn::Wins:
                return compareNumbers(y.wins, x.wins);
            case PlayerColumn::Losses:
                return compareNumbers(y.losses, x.losses);
            default:
                return compareCellText(yCell, xCell);
        }
    };
    const UserRef selected =
        selectedRow_ >= 0 ? rows_[static_cast<std::size_t>(selectedRow_)] : nullptr;
    sortRowsByCell(
        rows_, userSortDirection_, [column](const UserRef& u) { return cellText(*u, column); },
        compare);
    // The selection follows its row.
    selectedRow_ = selected ? findlistviewindex(selected.get()) : -1;
    userSortDirection_ = -userSortDirection_;
    notifyReset();
}

void PlayerList::selectRow(int row) {
    selectedRow_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
    if (observer_) observer_->selectionChanged(selectedRow_);
}

bool PlayerList::rowClicked() {
    if (selectedRow_ < 0) return false;
    selectedUser_ = rows_[static_cast<std::size_t>(selectedRow_)];
    return true;
}

bool PlayerList::locateuser(const UserRef& user) {
    if (!user) return false;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i]->displayName != user->displayName) continue;
        selectRow(static_cast<int>(i));
        return rowClicked();
    }
    return false;
}

bool PlayerList::keySearch(char16_t key) {
    if (key == u' ' || selectedRow_ < 0) return false;
    const auto matches = [&](std::size_t i) {
        const std::u16string& caption = rows_[i]->displayName;
        return !caption.empty() && caption.front() == key;
    };
    const std::size_t n = rows_.size();
    for (std::size_t step = 1; step <= n; ++step) {
        const std::size_t i = (static_cast<std::size_t>(selectedRow_) + step) % n;
        if (!matches(i)) continue;
        selectRow(static_cast<int>(i));
        return rowClicked();
    }
    return false;
}

void PlayerList::notifyReset() {
    if (observer_) observer_->rowsReset();
}

}  // namespace veld
