// Civil dates and day numbers: the 1582 switch, the day counts, round trips.
#include <gtest/gtest.h>

#include "calendar/Yidate.h"

using varrow::CYiDate;
using varrow::SolarDate;

namespace {
SolarDate date(int y, int m, int d, int h = 0, int mi = 0) {
    return SolarDate{std::int16_t(y), std::int16_t(m), std::int16_t(d), std::int16_t(h), std::int16_t(mi)};
}
} // namespace

TEST(JulianDay, KnownDaysAndTheGregorianSwitch) {
    struct Case {
        SolarDate d;
        double jd;
    } cases[] = {
        {date(1582, 10, 4), 2299159.5}, {date(1582, 10, 15), 2299160.5}, {date(2000, 1, 1), 2451544.5},
        {date(1, 1, 1), 1721423.5},     {date(-849, 1, 1), 1410960.5},  {date(2000, 1, 1, 12), 2451545.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(CYiDate::ToJulianDay(c.d), c.jd) << c.d.year << "-" << c.d.month << "-" << c.d.day;
        EXPECT_EQ(CYiDate::FromJulianDay(c.jd), c.d);
    }
    // A date inside the gap is computed by the Julian branch.
    EXPECT_DOUBLE_EQ(CYiDate::ToJulianDay(date(1582, 10, 10)), CYiDate::ToJulianDay(date(1582, 10, 20)));
}

TEST(JulianDay, EveryDayAndMinuteRoundTrips) {
    // Every day of the span (and a little beyond), at a few awkward clock times.
    const int times[][2] = {{0, 0}, {13, 0}, {23, 59}, {12, 1}};
    double first = CYiDate::ToJulianDay(date(-849, 1, 1));
    double last = CYiDate::ToJulianDay(date(2101, 1, 1));
    SolarDate prev = CYiDate::FromJulianDay(first - 1);
    for (double jd = first; jd <= last; jd += 1) {
        SolarDate d = CYiDate::FromJulianDay(jd);
        ASSERT_TRUE(d.day == prev.day + 1 || d.day == 1 || (d.day == 15 && prev.day == 4))
            << d.year << "-" << d.month << "-" << d.day;
        prev = d;
        for (auto [h, m] : times) {
            SolarDate t = d;
            t.hour = std::int16_t(h), t.minute = std::int16_t(m);
            ASSERT_EQ(CYiDate::FromJulianDay(CYiDate::ToJulianDay(t)), t) << jd;
        }
    }
}

TEST(JulianDay, FractionRoundingToMidnightCarriesIntoTheNextDay) {
    // 23:59:50 rounds to the next day's 00:00, never to hour 24.
    SolarDate d = CYiDate::FromJulianDay(CYiDate::ToJulianDay(date(2000, 2, 28)) + 1439.85 / 1440);
    EXPECT_EQ(d, date(2000, 2, 29, 0, 0));
}

TEST(Calendar, LeapYearsWeekdaysAndValidity) {
    for (int y : {0, -4, 1500, 1600, 2000, 1580}) EXPECT_TRUE(CYiDate::IsLeapYear(y)) << y;
    for (int y : {1700, 1800, 1900, 2001, -1}) EXPECT_FALSE(CYiDate::IsLeapYear(y)) << y;

    EXPECT_EQ(CYiDate::Weekday(date(2000, 1, 1)), 6);
    EXPECT_EQ(CYiDate::Weekday(date(2000, 1, 1, 23, 59)), 6);
    EXPECT_EQ(CYiDate::Weekday(date(-849, 1, 1)), 0);
    EXPECT_EQ(CYiDate::Weekday(date(1582, 10, 15)), 5); // Friday, the day after Thursday 4 October
    EXPECT_EQ(CYiDate::Weekday(date(1582, 10, 4)), 4);

    EXPECT_FALSE(CYiDate::IsValidSolar(date(2001, 2, 29)));
    EXPECT_FALSE(CYiDate::IsValidSolar(date(2101, 1, 1)));
    EXPECT_FALSE(CYiDate::IsValidSolar(date(-850, 12, 31)));
    EXPECT_FALSE(CYiDate::IsValidSolar(date(2000, 4, 31)));
    EXPECT_TRUE(CYiDate::IsValidSolar(date(1500, 2, 29)));
    EXPECT_TRUE(CYiDate::IsValidSolar(date(0, 2, 29)));
    EXPECT_TRUE(CYiDate::IsValidSolar(date(-849, 1, 1)));
    EXPECT_TRUE(CYiDate::IsValidSolar(date(2100, 12, 31)));
}

TEST(Calendar, NextDayCrossesTheSwitchAndTheSpanEnd) {
    SolarDate d = date(1582, 10, 4, 12, 30);
    CYiDate::NextDay(d);
    EXPECT_EQ(d, date(1582, 10, 15, 12, 30));
    d = date(2100, 12, 31);
    CYiDate::NextDay(d);
    EXPECT_EQ(d, date(2101, 1, 1));
    d = date(0, 2, 28, 23, 59);
    CYiDate::NextDay(d);
    EXPECT_EQ(d, date(0, 2, 29, 23, 59));
}

TEST(DayCount, DayOfYearAndDayNumber) {
    struct Case {
        int y, m, d, dayOfYear, dayNumber;
    } cases[] = {
        {1900, 1, 1, 1, 693596},    {1582, 10, 4, 277, 577735}, {1582, 10, 15, 278, 577736},
        {1582, 12, 31, 355, 577813}, {1, 1, 3, 3, 1},           {-849, 1, 21, 21, -310444},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CYiDate::DayOfYear(c.y, c.m, c.d), c.dayOfYear) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(CYiDate::DayNumber(c.y, c.m, c.d), c.dayNumber) << c.y << "-" << c.m << "-" << c.d;
    }
    EXPECT_EQ(CYiDate::DayOfYear(1582, 10, 10), 0); // in the gap
    EXPECT_EQ(CYiDate::DayOfYear(2000, 13, 1), 367);
    EXPECT_EQ(CYiDate::DayOfYear(1999, 13, 1), 366);
    // Day 0 of January is 31 December of the year before.
    EXPECT_EQ(CYiDate::DayNumber(2000, 1, 0), CYiDate::DayNumber(1999, 12, 31));
    // The day count follows the Julian Day everywhere.
    for (int y = -849; y <= 2100; y += 7)
        for (int m = 1; m <= 12; m += 5) {
            double jd = CYiDate::ToJulianDay(date(y, m, 2));
            EXPECT_EQ(CYiDate::DayNumber(y, m, 2), int(jd - 1721424.5)) << y << "-" << m;
        }
}

TEST(DayCount, MonthDayFromDayOfYear) {
    EXPECT_EQ(CYiDate::MonthDayFromDayOfYear(2001, 1), 101);
    EXPECT_EQ(CYiDate::MonthDayFromDayOfYear(2001, 60), 301);
    EXPECT_EQ(CYiDate::MonthDayFromDayOfYear(2000, 60), 229);
    EXPECT_EQ(CYiDate::MonthDayFromDayOfYear(2000, 366), 1231);
    EXPECT_EQ(CYiDate::MonthDayFromDayOfYear(2001, 0), 100);  // winter solstice of the year before
    EXPECT_EQ(CYiDate::MonthDayFromDayOfYear(2001, -5), 95);
}

TEST(Calendar, RoundTiesGoDown) {
    EXPECT_EQ(CYiDate::Round(2.5), 2);
    EXPECT_EQ(CYiDate::Round(-2.5), -3);
    EXPECT_EQ(CYiDate::Round(2.51), 3);
    EXPECT_EQ(CYiDate::Round(-2.49), -2);
}
