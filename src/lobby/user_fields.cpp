#include "lobby/user_fields.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "protocol/codepage.h"
#include "protocol/language.h"
#include "protocol/text_table.h"

namespace veld {

namespace {

constexpr std::array<std::u16string_view, 5> kAges{u"", u"老", u"中", u"青", u"少"};
constexpr std::array<std::u16string_view, 3> kSexes{u"", u"♂", u"♀"};
// Indexes 13, 18 and 19 repeat the cities of 4, 6 and 7 on purpose: both codes are in use.
constexpr std::array<std::u16string_view, 39> kRegions{
    u"",       u"基隆市", u"台北市", u"新竹市", u"台中市", u"嘉義市", u"台南市", u"高雄市",
    u"宜蘭縣", u"新北市", u"桃園市", u"新竹縣", u"苗栗縣", u"台中市", u"南投縣", u"彰化縣",
    u"雲林縣", u"嘉義縣", u"台南市", u"高雄市", u"屏東縣", u"花蓮縣", u"台東縣", u"澎湖縣",
    u"金門縣", u"連江縣", u"美國",   u"日本",   u"韓國",   u"中國",   u"香港",   u"歐洲",
    u"紐澳",   u"泰國",   u"南美",   u"中東",   u"非洲",   u"新加坡", u"加拿大"};
constexpr std::array<std::u16string_view, 16> kJobs{
    u"",         u"農林牧",   u"軍公教",   u"自由業",   u"服務業",   u"製造業",
    u"營造業",   u"資訊業",   u"醫護保健", u"文學藝術", u"自然科學", u"法律政治",
    u"金融經濟", u"教育社工", u"學生",     u"退休"};

template <std::size_t N>
std::u16string entryOrEmpty(const std::array<std::u16string_view, N>& table, std::uint32_t i) {
    return i < N ? std::u16string(table[i]) : std::u16string();
}

bool contains(const std::vector<std::u16string>& names, const std::u16string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

void decodepxcode(Tuser& user) {
    const std::uint32_t px = user.pxCode;
    user.ageText = entryOrEmpty(kAges, px & 0x7);
    user.sexText = wideToBig5(entryOrEmpty(kSexes, (px >> 3) & 0x3));
    user.regionText = entryOrEmpty(kRegions, (px >> 5) & 0x3F);
    user.jobText = entryOrEmpty(kJobs, (px >> 11) & 0xF);
    user.iconIndex = static_cast<int>((px >> 16) & 0xF);
}

void updatewinrate(Tuser& user) {
    user.gameCount = user.wins + user.losses;
    if (user.gameCount <= 0) {
        user.winRateText = std::string("0");
        return;
    }
    user.winRate = static_cast<double>(user.wins) / user.gameCount;
    char text[32];
    std::snprintf(text, sizeof text, "%2.2g", user.winRate);
    user.winRateText = text;
}

std::u16string translateplayStatus(std::string_view letter, const TextTable& texts) {
    if (letter == "P") return texts.uiText(138);
    if (letter == "B") return texts.uiText(139);
    if (letter == "T") return texts.uiText(140);
    return texts.uiText(137);
}

bool applyFriendMarks(Tuser& user, const FriendNames& names, std::uint16_t myUid) {
    if (user.uid == myUid) return false;
    if (contains(names.blockedNames, user.displayName)) user.friendMark = std::string("X");
    if (!contains(names.friendNames, user.displayName)) return false;
    user.friendMark = std::string("O");
    return true;
}

}  // namespace veld
