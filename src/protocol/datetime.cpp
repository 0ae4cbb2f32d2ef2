#include "protocol/datetime.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>

namespace veld {

namespace {

constexpr long long kMsPerDay = 86'400'000;
constexpr long long kUnixEpochDay = 25'569;  // 1970-01-01 as a day number

// Days from 1970-01-01 to the civil date (proleptic Gregorian), and back.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2 ? 1 : 0));
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// Day numbers (days since 1899-12-30) of 0001-01-01 and 9999-12-31.
const long long kFirstDay = daysFromCivil(1, 1, 1) + kUnixEpochDay;
const long long kLastDay = daysFromCivil(9999, 12, 31) + kUnixEpochDay;

std::string atLeastTwoDigits(long long n) {
    std::string digits = std::to_string(n);
    return digits.size() < 2 ? "0" + digits : digits;
}

std::string fourDigits(int n) {
    std::string digits = std::to_string(n);
    return std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
}

// Day number and millisecond of the day; nullopt outside the supported years.
struct DayAndTime {
    long long day;
    long long ms;
};

std::optional<DayAndTime> split(DateTime t) {
    if (!std::isfinite(t) || t <= static_cast<double>(kFirstDay - 1) ||
        t >= static_cast<double>(kLastDay + 1))
        return std::nullopt;
    const double whole = std::trunc(t);
    long long day = static_cast<long long>(whole);
    long long ms = std::llround(std::fabs(t - whole) * static_cast<double>(kMsPerDay));
    if (ms >= kMsPerDay) {  // rounded up to the next midnight
        ms -= kMsPerDay;
        ++day;
    }
    if (day > kLastDay) return std::nullopt;
    return DayAndTime{day, ms};
}

}  // namespace

std::optional<DateTime> encodeDateTime(const DateTimeFields& f) {
    if (f.year < 1 || f.year > 9999 || f.month < 1 || f.month > 12 || f.day < 1 ||
        f.day > daysInMonth(f.year, f.month) || f.hour < 0 || f.hour > 23 || f.minute < 0 ||
        f.minute > 59 || f.second < 0 || f.second > 59 || f.millisecond < 0 || f.millisecond > 999)
        return std::nullopt;
    const long long day =
        daysFromCivil(f.year, static_cast<unsigned>(f.month), static_cast<unsigned>(f.day)) +
        kUnixEpochDay;
    const long long ms = ((f.hour * 60LL + f.minute) * 60 + f.second) * 1000 + f.millisecond;
    const double time = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
    return day >= 0 ? static_cast<double>(day) + time : static_cast<double>(day) - time;
}

std::optional<DateTimeFields> decodeDateTime(DateTime t) {
    const auto parts = split(t);
    if (!parts) return std::nullopt;
    DateTimeFields f;
    civilFromDays(parts->day - kUnixEpochDay, f.year, f.month, f.day);
    long long ms = parts->ms;
    f.millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    f.second = static_cast<int>(ms % 60);
    ms /= 60;
    f.minute = static_cast<int>(ms % 60);
    f.hour = static_cast<int>(ms / 60);
    return f;
}

DateTime nowDateTime() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    const DateTimeFields f{local.tm_year + 1900,
                           local.tm_mon + 1,
                           local.tm_mday,
                           local.tm_hour,
                           local.tm_min,
                           std::min(local.tm_sec, 59),
                           static_cast<int>(ms < 0 ? ms + 1000 : ms)};
    return encodeDateTime(f).value_or(0.0);
}

std::string stampNow(DateTime now) {
    const auto f = decodeDateTime(now);
    if (!f) return {};
    return std::to_string(f->year) + "-" + atLeastTwoDigits(f->month) + "-" +
           atLeastTwoDigits(f->day) + "-" + atLeastTwoDigits(f->hour) + "-" +
           atLeastTwoDigits(f->minute) + "-" + atLeastTwoDigits(f->second);
}

std::string stampNow() {
    return stampNow(nowDateTime());
}

std::string showDateTime(DateTime t, DateTime now) {
    auto f = decodeDateTime(t);
    if (!f) f = decodeDateTime(now);
    if (!f) return {};
    return fourDigits(f->year) + "-" + atLeastTwoDigits(f->month) + "-" + atLeastTwoDigits(f->day) +
           "  " + atLeastTwoDigits(f->hour) + ":" + atLeastTwoDigits(f->minute) + ":" +
           atLeastTwoDigits(f->second);
}

std::string showDateTime(DateTime t) {
    return showDateTime(t, nowDateTime());
}

std::string secondsToClock(long long n) {
    if (n <= 0) return "00:00:00";
    return atLeastTwoDigits(n / 3600) + ":" + atLeastTwoDigits(n % 3600 / 60) + ":" +
           atLeastTwoDigits(n % 60);
}

int daysBetween(DateTime a, DateTime b) {
    const auto da = split(a);
    const auto db = split(b);
    if (!da || !db) return 0;
    return static_cast<int>(da->day - db->day);
}

int secondsBetween(DateTime a, DateTime b) {
    const auto da = split(a);
    const auto db = split(b);
    if (!da || !db) return 0;
    const long long sa = da->ms / 1000;
    const long long sb = db->ms / 1000;
    return static_cast<int>(sa > sb ? sa - sb : sb - sa);
}

DateTime bytesToDateTime(std::string_view s, DateTime now) {
    if (s.size() != 8) return now;
    std::uint64_t bits = 0;
    for (std::size_t i = 8; i-- > 0;) bits = bits << 8 | static_cast<unsigned char>(s[i]);
    return std::bit_cast<double>(bits);
}

DateTime bytesToDateTime(std::string_view s) {
    return s.size() == 8 ? bytesToDateTime(s, 0.0) : nowDateTime();
}

std::string dateTimeToBytes(DateTime t) {
    auto bits = std::bit_cast<std::uint64_t>(t);
    std::string out(8, '\0');
    for (char& byte : out) {
        byte = static_cast<char>(bits & 0xFF);
        bits >>= 8;
    }
    return out;
}

}  // namespace veld
