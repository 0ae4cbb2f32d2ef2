// Local date-times as the wire and the record files carry them: a double counting days since
// 1899-12-30 00:00 local time, the fraction being the time of day. Before that day the value is
// the negative day number minus the time of day (-1.25 is 1899-12-29 06:00).
//
// Functions that need the current time take it as an argument; the overloads without it read
// the system clock.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veld {

using DateTime = double;

struct DateTimeFields {
    int year = 1899;
    int month = 12;  // 1-12
    int day = 30;    // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    bool operator==(const DateTimeFields&) const = default;
};

// nullopt when a field is out of its range or the year is outside 1..9999.
std::optional<DateTime> encodeDateTime(const DateTimeFields& fields);
// The calendar fields, the time rounded to the millisecond; nullopt for NaN, infinities and
// values outside the years 1..9999.
std::optional<DateTimeFields> decodeDateTime(DateTime t);

// The current local date-time.
DateTime nowDateTime();

// "2024-03-07-09-05-30": the year unpadded, the other fields two digits. Empty if `now` is not
// a valid date-time.
std::string stampNow(DateTime now);
std::string stampNow();

// "yyyy-mm-dd  hh:nn:ss" (two spaces). A t that is no valid date-time shows `now` instead;
// empty if neither is valid.
std::string showDateTime(DateTime t, DateTime now);
std::string showDateTime(DateTime t);

// "hh:mm:ss" of n seconds; "00:00:00" for n <= 0. Hours take as many digits as they need.
std::string secondsToClock(long long n);

// Whole calendar days from the date of b to the date of a (negative when a is earlier); 0 if
// either is not a valid date-time.
int daysBetween(DateTime a, DateTime b);
// |s(a) - s(b)| where s is the second of the day (0..86399) of the time of day; dates are
// ignored. 0 if either is not a valid date-time.
int secondsBetween(DateTime a, DateTime b);

// The 8 bytes as a little-endian IEEE-754 double; `now` when s is not exactly 8 bytes long.
// The value is not checked: an invalid date-time shows as `now` in showDateTime.
DateTime bytesToDateTime(std::string_view s, DateTime now);
DateTime bytesToDateTime(std::string_view s);
// The inverse: 8 bytes, little-endian.
std::string dateTimeToBytes(DateTime t);

}  // namespace veld
