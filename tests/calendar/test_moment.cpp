// Chart moment resolution, true solar time and the name tables.
#include <gtest/gtest.h>

#include "calendar/ChartMoment.h"
#include "calendar/Yidate.h"

using namespace varrow;

namespace {
ChartMoment moment(int y, int m, int d, int h, int mi) {
    ChartMoment c;
    c.year = std::int16_t(y), c.month = std::int16_t(m), c.day = std::int16_t(d), c.hour = std::int16_t(h),
    c.minute = std::int16_t(mi);
    return c;
}
SolarDate date(int y, int m, int d, int h = 0, int mi = 0) {
    return SolarDate{std::int16_t(y), std::int16_t(m), std::int16_t(d), std::int16_t(h), std::int16_t(mi)};
}
} // namespace

TEST(EquationOfTime, ChartedDaysInWholeMinutes) {
    // Index, charted value: the table must give the same whole minutes and be close to it.
    struct Row {
        int index;
        double value, tolerance;
    } rows[] = {{0, -3.4, 0.35}, {41, -14.32, 0.05}, {134, 3.72, 0.05},
                {208, -6.45, 0.05}, {307, 16.4, 0.1}, {365, -2.8, 0.2}};
    for (const auto& r : rows) {
        EXPECT_NEAR(CYiDate::EquationOfTime(r.index), r.value, r.tolerance) << r.index;
        EXPECT_EQ(int(CYiDate::EquationOfTime(r.index)), int(r.value)) << r.index;
    }
    EXPECT_LT(std::abs(CYiDate::EquationOfTime(166)), 1.0);
    // The extremes sit where they are charted.
    int lo = 0, hi = 0;
    for (int i = 0; i < 366; ++i) {
        if (CYiDate::EquationOfTime(i) < CYiDate::EquationOfTime(lo)) lo = i;
        if (CYiDate::EquationOfTime(i) > CYiDate::EquationOfTime(hi)) hi = i;
    }
    EXPECT_NEAR(lo, 41, 1);
    EXPECT_NEAR(hi, 307, 1);
}

TEST(TrueSolarTime, LongitudeAndEquationOfTime) {
    struct Case {
        SolarDate clock;
        float longitude;
        SolarDate local;
    } cases[] = {
        {date(2000, 6, 15, 12, 0), 90.0f, date(2000, 6, 15, 10, 0)},
        {date(2000, 6, 15, 12, 0), 120.0f, date(2000, 6, 15, 12, 0)},
        {date(1990, 1, 1, 23, 30), 116.4667f, date(1990, 1, 1, 23, 13)},
        {date(2000, 11, 3, 12, 0), 120.0f, date(2000, 11, 3, 12, 16)},
        {date(2000, 3, 1, 0, 5), 116.0f, date(2000, 2, 29, 23, 37)}, // back across midnight and 29 February
        {date(2000, 1, 1, 12, 0), 150.0f, date(2000, 1, 1, 13, 57)},
    };
    for (const auto& c : cases) {
        SolarDate d = c.clock;
        CYiDate::ToTrueSolarTime(c.longitude, d);
        EXPECT_EQ(d, c.local) << c.clock.month << "-" << c.clock.day << " " << c.longitude << " -> " << d.day << " "
                              << d.hour << ":" << d.minute;
    }
}

TEST(ChartMoment, SolarInputWithTrueSolarTimeAndLateZi) {
    ChartMoment m = moment(1990, 1, 1, 23, 30);
    m.longitude = 116.4667f;
    m.useTrueSolarTime = true;
    ASSERT_TRUE(ResolveChartMoment(m)) << m.message;
    EXPECT_EQ(m.solar, date(1990, 1, 1, 23, 13));
    EXPECT_EQ(m.clock, date(1990, 1, 1, 23, 30));
    EXPECT_DOUBLE_EQ(m.clockJD, CYiDate::ToJulianDay(m.clock));
    LunarDate next, same;
    CYiDate::SolarToLunar(date(1990, 1, 2), next);
    CYiDate::SolarToLunar(date(1990, 1, 1), same);
    EXPECT_EQ(m.lunar.day, next.day);
    EXPECT_EQ(m.lunar.hour, 23);
    EXPECT_EQ(m.lunar.minute, 13);

    m = moment(1990, 1, 1, 23, 30);
    m.longitude = 116.4667f;
    m.useTrueSolarTime = true;
    m.lateZi = true;
    ASSERT_TRUE(ResolveChartMoment(m));
    EXPECT_EQ(m.lunar.day, same.day);
    // Other engines always move 23:xx to the next day; the Purple Star computes no clock JD.
    m.lateZi = true;
    ASSERT_TRUE(ResolveChartMoment(m, MomentVariant::Question));
    EXPECT_EQ(m.lunar.day, next.day);
    ASSERT_TRUE(ResolveChartMoment(m, MomentVariant::PurpleStar));
    EXPECT_EQ(m.clockJD, 0.0);
}

TEST(ChartMoment, TrueSolarTimeCanMoveTheDateBack) {
    ChartMoment m = moment(2000, 2, 5, 0, 5);
    m.longitude = 110.0f;
    m.useTrueSolarTime = true;
    ASSERT_TRUE(ResolveChartMoment(m));
    EXPECT_EQ(m.solar.day, 4);
    EXPECT_EQ(m.solar.hour, 23);
    // The hour is 23 after the shift, so the lunar date is the next day's (lunar 1/1).
    EXPECT_EQ(m.lunar, (LunarDate{2000, 1, 1, 23, m.solar.minute, false}));
    m = moment(2000, 2, 5, 0, 5);
    m.longitude = 110.0f;
    m.useTrueSolarTime = true;
    m.lateZi = true;
    ASSERT_TRUE(ResolveChartMoment(m));
    EXPECT_EQ(m.lunar.year, 1999);
    EXPECT_EQ(m.lunar.month, 12);
}

TEST(ChartMoment, LunarInputAndFailures) {
    ChartMoment m = moment(2033, 11, 1, 8, 0);
    m.isLunar = true;
    m.isLeapMonth = true;
    ASSERT_TRUE(ResolveChartMoment(m)) << m.message;
    EXPECT_EQ(m.solar, date(2033, 12, 22, 8, 0));
    EXPECT_TRUE(m.isLeapMonth);
    EXPECT_TRUE(m.lunar.leap);

    struct Case {
        ChartMoment m;
        const char* message;
    } cases[] = {
        {moment(2001, 2, 29, 0, 0), "不存在这个日期"},
        {moment(2100, 12, 31, 23, 30), "公、农历正常转换年份在-850到2100之间"},
        {moment(2101, 1, 1, 0, 0), "不存在这个日期"},
    };
    for (auto& c : cases) {
        EXPECT_FALSE(ResolveChartMoment(c.m));
        EXPECT_EQ(c.m.message, c.message);
    }
    m = moment(2000, 4, 1, 0, 0);
    m.isLunar = true;
    m.isLeapMonth = true;
    EXPECT_FALSE(ResolveChartMoment(m));
    EXPECT_EQ(m.message, "此年没有闰4月,请重新确定月份！");
}

TEST(Names, GanZhiNumeralsAndHours) {
    EXPECT_EQ(GanZhi(1).name(), "甲子");
    EXPECT_EQ(GanZhi(0).name(), "癸亥");
    EXPECT_EQ(GanZhi(60).name(), "癸亥");
    EXPECT_EQ(GanZhi(17).name(), "庚辰");
    EXPECT_EQ(GanZhi(59).name(), "壬戌");
    for (int n = 0; n < 60; ++n) {
        GanZhi g(n);
        EXPECT_EQ(GanZhi::of(g.stem(), g.branch()), g);
        EXPECT_EQ(CYiDate::GanZhiIndex(g.stem(), g.branch()), n);
    }
    struct Numeral {
        int n;
        const char* text;
    } numerals[] = {{1, "一"}, {9, "九"}, {10, "十"}, {15, "十五"}, {20, "二十"}, {21, "廿一"}, {23, "廿三"}, {30, "三十"}};
    for (const auto& c : numerals) EXPECT_EQ(CYiDate::NumeralName(c.n), c.text);
    EXPECT_EQ(names::hourBranch(0), 1);
    EXPECT_EQ(names::hourBranch(23), 1);
    EXPECT_EQ(names::hourBranch(1), 2);
    EXPECT_EQ(names::hourBranch(22), 0);
    EXPECT_EQ(names::animals[names::hourBranch(23)], "鼠");
    EXPECT_EQ(names::termName(2, 1), "立春");
    EXPECT_EQ(names::termName(12, 2), "冬至");
    EXPECT_EQ(names::termText.substr(7 * 2, 6), "立春"); // each name and its blank: 7 UTF-8 bytes
}
