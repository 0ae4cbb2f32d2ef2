#include "protocol/datetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace veld {
namespace {

using namespace std::string_literals;

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return encodeDateTime({y, mo, d, h, mi, s, 0}).value();
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(DateTimes, CalendarFieldsAndDayNumbers) {
    struct Case {
        DateTimeFields fields;
        DateTime value;
    };
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0, 0}, 0.0},
        {{1899, 12, 31, 12, 0, 0, 0}, 1.5},
        {{1899, 12, 29, 6, 0, 0, 0}, -1.25},  // before day 0 the time of day is subtracted
        {{2000, 2, 29, 0, 0, 0, 0}, 36585.0},
        {{2024, 3, 7, 9, 5, 30, 0}, 45358.0 + 32730.0 / 86400.0},
        {{1, 1, 1, 0, 0, 0, 0}, -693593.0},
        {{9999, 12, 31, 0, 0, 0, 0}, 2958465.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_DOUBLE_EQ(encodeDateTime(c.fields).value(), c.value);
        EXPECT_EQ(decodeDateTime(c.value), c.fields);
    }
    // Rounding to the millisecond may carry into the next day.
    EXPECT_EQ(decodeDateTime(std::nextafter(1.0, 0.0)), (DateTimeFields{1899, 12, 31, 0, 0, 0, 0}));
}

TEST(DateTimes, InvalidValuesAndFieldsAreRejected) {
    for (double t : {kNaN, std::numeric_limits<double>::infinity(), -693594.0, 2958466.0, 1e300})
        EXPECT_EQ(decodeDateTime(t), std::nullopt) << t;
    for (const DateTimeFields& f : {DateTimeFields{2023, 2, 29}, DateTimeFields{2024, 13, 1},
                                    DateTimeFields{0, 1, 1}, DateTimeFields{2024, 1, 1, 24}})
        EXPECT_EQ(encodeDateTime(f), std::nullopt) << f.year << '-' << f.month << '-' << f.day;
}

TEST(DateTimes, StampAndShow) {
    const DateTime t = at(2024, 3, 7, 9, 5, 30);
    EXPECT_EQ(stampNow(t), "2024-03-07-09-05-30");
    EXPECT_EQ(stampNow(at(987, 1, 2, 3, 4, 5)), "987-01-02-03-04-05");  // year unpadded
    EXPECT_EQ(stampNow(kNaN), "");

    EXPECT_EQ(showDateTime(t, 0.0), "2024-03-07  09:05:30");
    EXPECT_EQ(showDateTime(at(987, 1, 2), 0.0), "0987-01-02  00:00:00");
    for (double bad : {kNaN, 1e10, -1e7}) EXPECT_EQ(showDateTime(bad, t), "2024-03-07  09:05:30");
    EXPECT_EQ(showDateTime(kNaN, kNaN), "");
}

TEST(DateTimes, SecondsToClock) {
    struct Case {
        long long seconds;
        const char* clock;
    };
    const Case cases[] = {
        {3725, "01:02:05"}, {0, "00:00:00"},     {-5, "00:00:00"},
        {59, "00:00:59"},   {86399, "23:59:59"}, {360000, "100:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(secondsToClock(c.seconds), c.clock) << c.seconds;
}

TEST(DateTimes, DaysByCalendarDateAndSecondsByTimeOfDay) {
    EXPECT_EQ(daysBetween(at(2024, 3, 7, 0, 10), at(2024, 3, 6, 23, 50)), 1);
    EXPECT_EQ(daysBetween(at(2024, 3, 6, 23, 50), at(2024, 3, 7, 0, 10)), -1);
    EXPECT_EQ(daysBetween(at(2024, 3, 1), at(2023, 3, 1)), 366);
    EXPECT_EQ(daysBetween(at(1899, 12, 31), at(1899, 12, 29, 18)), 2);
    EXPECT_EQ(daysBetween(kNaN, 0.0), 0);

    EXPECT_EQ(secondsBetween(at(2024, 3, 7, 9, 5, 30), at(2000, 1, 1, 10)), 3270);
    EXPECT_EQ(secondsBetween(at(2024, 3, 7, 23, 59, 59), at(2024, 3, 7)), 86399);
    EXPECT_EQ(secondsBetween(at(2024, 3, 7), at(2024, 3, 7, 23, 59, 59)), 86399);
    EXPECT_EQ(secondsBetween(0.0, kNaN), 0);
}

TEST(DateTimes, WireBytesAreALittleEndianDouble) {
    const DateTime now = at(2024, 3, 7);
    EXPECT_DOUBLE_EQ(bytesToDateTime("\0\0\0\0\0\0\xF0\x3F"s, now), 1.0);
    EXPECT_EQ(dateTimeToBytes(1.0), "\0\0\0\0\0\0\xF0\x3F"s);
    const DateTime t = at(2024, 3, 7, 9, 5, 30);
    EXPECT_EQ(bytesToDateTime(dateTimeToBytes(t), now), t);
    for (const std::string& wrong : {""s, "\0\0\0\0\0\0\xF0"s, "\0\0\0\0\0\0\xF0\x3F\0"s})
        EXPECT_EQ(bytesToDateTime(wrong, now), now);
}

TEST(DateTimes, NowIsAValidLocalDateTime) {
    const auto now = decodeDateTime(nowDateTime());
    ASSERT_TRUE(now.has_value());
    EXPECT_GE(now->year, 2024);
    EXPECT_EQ(stampNow().size(), 19u);
}

}  // namespace
}  // namespace veld
