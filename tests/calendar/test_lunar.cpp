// The Chinese side of the calendar within the table years: conversions both
// ways, leap months, term moments and the pillar rules.
#include <gtest/gtest.h>

#include "calendar/Yidate.h"

using namespace varrow;

namespace {
SolarDate date(int y, int m, int d, int h = 0, int mi = 0) {
    return SolarDate{std::int16_t(y), std::int16_t(m), std::int16_t(d), std::int16_t(h), std::int16_t(mi)};
}
LunarDate lunar(int y, int m, int d, bool leap = false) {
    return LunarDate{std::int16_t(y), std::int16_t(m), std::int16_t(d), 0, 0, leap};
}
std::string pillarNames(const FourPillars& p) {
    return p.year.name() + " " + p.month.name() + " " + p.day.name() + " " + p.hour.name();
}
FourPillars pillarsAt(const SolarDate& d, bool lateZi = false) {
    return CYiDate::Pillars(d, CYiDate::ToJulianDay(d), d, lateZi).pillars;
}
} // namespace

TEST(SolarToLunar, TellingDates) {
    struct Case {
        SolarDate solar;
        LunarDate lunar;
    } cases[] = {
        {date(2000, 2, 5), lunar(2000, 1, 1)},    {date(2000, 2, 4), lunar(1999, 12, 29)},
        {date(2033, 12, 22), lunar(2033, 11, 1, true)}, {date(1938, 3, 1), lunar(1938, 1, 30)},
        {date(1900, 1, 1), lunar(1899, 12, 1)},   {date(1902, 10, 31), lunar(1902, 10, 1)},
        {date(1902, 10, 1), lunar(1902, 8, 30)},  {date(1902, 11, 1), lunar(1902, 10, 2)},   {date(2000, 1, 1), lunar(1999, 11, 25)},
        {date(2020, 5, 23), lunar(2020, 4, 1, true)},
    };
    for (const auto& c : cases) {
        LunarDate got;
        bool leap = CYiDate::SolarToLunar(c.solar, got);
        EXPECT_EQ(got, c.lunar) << c.solar.year << "-" << c.solar.month << "-" << c.solar.day << " -> " << got.year
                                << "/" << got.month << "/" << got.day << (got.leap ? " leap" : "");
        EXPECT_EQ(leap, c.lunar.leap);
    }
}

TEST(LunarToSolar, TellingDatesAndMessages) {
    struct Case {
        LunarDate lunar;
        bool ok;
        SolarDate solar;
        const char* message;
    } cases[] = {
        {lunar(2000, 1, 1), true, date(2000, 2, 5), ""},
        {lunar(2000, 1, 26), true, date(2000, 3, 1), ""},
        {lunar(2033, 11, 1, true), true, date(2033, 12, 22), ""},
        {lunar(1938, 1, 30), true, date(1938, 3, 1), ""},
        {lunar(1957, 1, 30), true, date(1957, 3, 1), ""}, // also begins on 31 January with 30 days
        {lunar(1902, 10, 1), true, date(1902, 10, 31), ""}, // begins on the 31st
        {lunar(2000, 2, 1, true), false, {}, "此年没有闰2月,请重新确定月份！"},
        {lunar(2000, 4, 1, true), false, {}, "此年没有闰4月,请重新确定月份！"},
        {lunar(2000, 1, 31), false, {}, "不存在这个日期,请重新输入！"},
    };
    for (const auto& c : cases) {
        SolarDate got;
        std::string message;
        bool ok = CYiDate::LunarToSolar(c.lunar, c.lunar.leap, got, message);
        EXPECT_EQ(ok, c.ok) << c.lunar.year << "/" << c.lunar.month << "/" << c.lunar.day;
        if (ok)
            EXPECT_EQ(got, c.solar) << c.lunar.year << "/" << c.lunar.month << "/" << c.lunar.day;
        else
            EXPECT_EQ(message, c.message);
    }
}

TEST(LunarToSolar, DayThirtyOfAShortMonthIsRefused) {
    // Each month of lunar 2001 either has a day 30 that converts back, or refuses it and
    // has its next day start a new month.
    int shortMonths = 0;
    for (int m = 1; m <= 12; ++m) {
        SolarDate day29, day30;
        std::string message;
        ASSERT_TRUE(CYiDate::LunarToSolar(lunar(2001, m, 29), false, day29, message));
        if (CYiDate::LunarToSolar(lunar(2001, m, 30), false, day30, message)) {
            LunarDate l;
            CYiDate::SolarToLunar(day30, l);
            EXPECT_EQ(l, lunar(2001, m, 30));
        } else {
            EXPECT_EQ(message, "不存在这个日期,请重新输入！");
            SolarDate next = day29;
            CYiDate::NextDay(next);
            LunarDate l;
            CYiDate::SolarToLunar(next, l);
            EXPECT_EQ(l.day, 1);
            ++shortMonths;
        }
    }
    EXPECT_GE(shortMonths, 4);
}

TEST(LunarCalendar, EveryTableDayRoundTripsBothWays) {
    // Solar -> lunar -> solar for every day of the table years.
    double first = CYiDate::ToJulianDay(date(1900, 1, 31));
    double last = CYiDate::ToJulianDay(date(2050, 12, 31));
    LunarDate prev;
    CYiDate::SolarToLunar(date(1900, 1, 30), prev);
    int lunarDates = 0;
    for (double jd = first; jd <= last; jd += 1) {
        SolarDate d = CYiDate::FromJulianDay(jd);
        LunarDate l;
        CYiDate::SolarToLunar(d, l);
        SolarDate back;
        std::string message;
        ASSERT_TRUE(CYiDate::LunarToSolar(l, l.leap, back, message)) << message << " " << jd;
        ASSERT_EQ(back, d) << l.year << "/" << l.month << "/" << l.day;
        // Lunar days step by one; a new month starts at day 1 after day 29 or 30.
        if (l.day != 1)
            ASSERT_EQ(l.day, prev.day + 1);
        else
            ASSERT_TRUE(prev.day == 29 || prev.day == 30) << jd;
        prev = l;
        ++lunarDates;
    }
    // Lunar -> solar -> lunar for every lunar date of the lunar years 1900..2049 (leap months included).
    int visited = 0;
    for (int y = 1900; y <= 2049; ++y)
        for (int m = 1; m <= 12; ++m)
            for (bool leap : {false, true})
                for (int d = 1; d <= 30; ++d) {
                    SolarDate s;
                    std::string message;
                    if (!CYiDate::LunarToSolar(lunar(y, m, d, leap), leap, s, message)) {
                        ASSERT_TRUE(leap || d == 30) << y << "/" << m << "/" << d << " " << message;
                        continue;
                    }
                    LunarDate l;
                    CYiDate::SolarToLunar(s, l);
                    ASSERT_EQ(l, lunar(y, m, d, leap));
                    ++visited;
                }
    EXPECT_GT(visited, 50000);
    EXPECT_EQ(lunarDates, int(last - first) + 1);
}

TEST(SolarTerms, TableMomentsToTheMinute) {
    struct Case {
        int y, m, which;
        SolarDate moment;
    } cases[] = {
        {2000, 1, 1, date(2000, 1, 6, 9, 1)},   // 小寒 09:00:42, rounded to the nearest minute
        {2000, 2, 1, date(2000, 2, 4, 20, 40)}, // 立春
        {2000, 2, 2, date(2000, 2, 19, 16, 33)}, // 雨水
    };
    for (const auto& c : cases) {
        SolarDate got;
        EXPECT_EQ(CYiDate::SolarTerm(c.y, c.m, c.which, got), c.m);
        EXPECT_EQ(got, c.moment) << got.day << " " << got.hour << ":" << got.minute;
    }
    SolarDate found;
    CYiDate::FindSolarTerm(2000, 2, 1, found);
    EXPECT_EQ(found, date(2000, 2, 4, 20, 40));
}

TEST(Pillars, TellingMoments) {
    struct Case {
        SolarDate moment;
        bool lateZi;
        const char* pillars;
    } cases[] = {
        {date(2000, 1, 1, 0, 0), false, "己卯 丙子 戊午 壬子"},
        {date(2000, 2, 4, 20, 39), false, "己卯 丁丑 壬辰 庚戌"},
        {date(2000, 2, 4, 20, 40), false, "庚辰 戊寅 壬辰 庚戌"},
        // 2000-01-01 is 戊午, so 1999-12-31 23:30 is on the cusp of it.
        {date(1999, 12, 31, 23, 30), false, "己卯 丙子 戊午 壬子"},
        {date(1999, 12, 31, 23, 30), true, "己卯 丙子 丁巳 壬子"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pillarNames(pillarsAt(c.moment, c.lateZi)), c.pillars)
            << c.moment.year << "-" << c.moment.month << "-" << c.moment.day << " " << c.moment.hour;
}

TEST(Pillars, TheLateZiHourOfAJiaZiDay) {
    // Find a 甲子 day, then look at 23:30 on it.
    SolarDate d = date(2000, 1, 1, 23, 30);
    while (pillarsAt(SolarDate{d.year, d.month, d.day, 12, 0}).day.value() != 1) CYiDate::NextDay(d);
    FourPillars early = pillarsAt(d, false);
    EXPECT_EQ(early.day.name(), "乙丑");
    EXPECT_EQ(early.hour.name(), "丙子");
    FourPillars late = pillarsAt(d, true);
    EXPECT_EQ(late.day.name(), "甲子");
    EXPECT_EQ(late.hour.name(), "丙子");
}

TEST(Pillars, MonthBoundariesBracketTheClockMoment) {
    for (SolarDate d : {date(2000, 1, 1), date(2000, 2, 4, 20, 40), date(1984, 12, 31, 23), date(2050, 6, 15)}) {
        double jd = CYiDate::ToJulianDay(d);
        PillarResult r = CYiDate::Pillars(d, jd, d, false);
        EXPECT_LE(r.monthStartJD, jd);
        EXPECT_GT(r.nextBoundaryJD, jd);
        EXPECT_NEAR(r.nextBoundaryJD - r.monthStartJD, 30.4, 1.6);
    }
}

TEST(Pillars, CycleAdvancesDailyAndYearlyAcrossTheTables) {
    int prevDay = pillarsAt(date(1900, 1, 31, 12)).day.value();
    for (SolarDate d = date(1900, 2, 1, 12); d.year <= 2050; CYiDate::NextDay(d)) {
        FourPillars p = pillarsAt(d);
        ASSERT_EQ(p.day.value(), (prevDay + 1) % 60);
        prevDay = p.day.value();
        if (d.month == 6 && d.day == 1) {
            ASSERT_EQ(p.year, GanZhi(1 + d.year - 1984)) << d.year; // 1984 is 甲子
            // 午 month (after 芒种 around the 6th) or 巳 before it.
            ASSERT_EQ(p.month.branch(), 6) << d.year;
        }
    }
}
