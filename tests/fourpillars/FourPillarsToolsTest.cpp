// The flowing-months contents and the reverse lookup.
#include <gtest/gtest.h>

#include <random>

#include "calendar/Yidate.h"
#include "fourpillars/FlowingMonths.h"
#include "fourpillars/ReverseLookup.h"

namespace varrow::bazi {
namespace {

FourPillars pillarsAt(const SolarDate& d) {
    return CYiDate::Pillars(d, CYiDate::ToJulianDay(d), d, false).pillars;
}

TEST(ReverseLookup, WorkedExampleFrom1950) {
    FourPillars wanted = pillarsAt(SolarDate{2000, 1, 1, 0, 0});
    auto found = reverseLookup(wanted, 1950);
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, (SolarDate{2000, 1, 1, 0, 5}));
    EXPECT_EQ(reverseLookupText(found), "符合命例\r\n2000年1月1日0时\r\n\r\n");
    // A later start finds the next 60-year match or none.
    auto later = reverseLookup(wanted, 2000);
    if (later) {
        EXPECT_EQ(pillarsAt(*later), wanted);
    }
    EXPECT_EQ(reverseLookupText(std::nullopt), "没有符合的八字，改变起始年反推，或许可以找到。\r\n\r\n");
}

TEST(ReverseLookup, ChoicesThatCannotExistAreRefused) {
    struct Case {
        PillarChoice c[4];
        const char* message;
    } cases[] = {
        {{{1, 2}, {3, 3}, {1, 1}, {1, 1}}, "不存在这个年柱！"}, // 甲丑: parity
        {{{1, 1}, {5, 3}, {1, 1}, {1, 1}}, "不存在这个月柱！"}, // 甲 year, 寅 month must be 丙寅
        {{{1, 1}, {3, 3}, {2, 1}, {1, 1}}, "不存在这个日柱！"},
        {{{1, 1}, {3, 3}, {1, 1}, {3, 1}}, "不存在这个时柱！"}, // 甲 day, 子 hour must be 甲子
    };
    for (const Case& k : cases) {
        FourPillars p;
        std::string message;
        EXPECT_FALSE(choosePillars(k.c, p, message));
        EXPECT_EQ(message, k.message);
    }
    PillarChoice example[4] = {{6, 4}, {3, 1}, {5, 7}, {9, 1}}; // 己卯 丙子 戊午 壬子
    FourPillars p;
    std::string message;
    ASSERT_TRUE(choosePillars(example, p, message));
    EXPECT_EQ(p, pillarsAt(SolarDate{2000, 1, 1, 0, 0}));
    PillarChoice guiHai[4] = {{0, 0}, {9, 11}, {0, 0}, {9, 1}}; // 癸亥 壬戌 癸亥 壬子
    EXPECT_TRUE(choosePillars(guiHai, p, message));
}

TEST(ReverseLookup, StartYearBounds) {
    std::string message;
    for (long ok : {-999L, -1L, 1L, 2100L}) EXPECT_TRUE(checkStartYear(ok, message)) << ok;
    for (long bad : {-1000L, 0L, 2101L}) {
        EXPECT_FALSE(checkStartYear(bad, message)) << bad;
        EXPECT_EQ(message,
                  "起始年必须在-"
                  "850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120");
    }
}

TEST(ReverseLookup, ChouMonthSearchesJanuaryOfTheNextYear) {
    FourPillars wanted = pillarsAt(SolarDate{2001, 1, 20, 9, 30});
    ASSERT_EQ(wanted.month.branchName(), "丑");
    auto found = reverseLookup(wanted, 2000); // 庚辰 year 2000, its 丑 month lies in January 2001
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, (SolarDate{2001, 1, 20, 10, 5})); // 巳 hour: 10:05
}

TEST(ReverseLookup, HourBeforeTheTermOnTheTermDayDoesNotMatch) {
    // 大雪 1999-12-07 21:47: the 子 month's first day at 戌 hour (20:05) lies before the term.
    FourPillars wanted = pillarsAt(SolarDate{1999, 12, 7, 22, 0});
    wanted.hour = GanZhi(wanted.hour.value() - 1); // the hour before, 戌
    auto found = reverseLookup(wanted, 1999);
    if (found) {
        EXPECT_GT(found->year, 1999);
    }
}

TEST(ReverseLookup, FindsWhatThePillarRulesGive) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> year(1901, 2040), month(1, 12), day(1, 28), hour(0, 22);
    int found = 0;
    for (int i = 0; i < 200; ++i) {
        SolarDate d{static_cast<std::int16_t>(year(rng)), static_cast<std::int16_t>(month(rng)),
                    static_cast<std::int16_t>(day(rng)), static_cast<std::int16_t>(hour(rng)), 30};
        FourPillars p = pillarsAt(d);
        auto r = reverseLookup(p, d.year - 1);
        if (!r) continue;
        ++found;
        EXPECT_EQ(pillarsAt(*r), p) << d.year << "-" << d.month << "-" << d.day << " " << d.hour;
        if (r->year <= d.year) {
            EXPECT_EQ(std::tie(r->year, r->month, r->day), std::tie(d.year, d.month, d.day));
        }
    }
    EXPECT_GT(found, 190);
}

TEST(FlowingMonths, YearListCountsNominalAges) {
    auto years = flowingYearList(2000, 9);
    ASSERT_EQ(years.size(), 88u);
    EXPECT_EQ(years[0], "2000年-庚辰(1岁)");
    EXPECT_EQ(years[1], "2001年-辛巳(2岁)");
    EXPECT_EQ(years[87], "2087年-丁未(88岁)");
}

TEST(FlowingMonths, TreeOfAYear) {
    std::vector<MonthNode> months;
    std::string message;
    ASSERT_TRUE(flowingMonthTree(2000, months, message));
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months[0].text, "1月-戊寅 2000年2月4日20时40分-2000年3月5日14时43分");
    // The 寅 month lists the days from the 立春 day up to the day before 惊蛰.
    ASSERT_EQ(months[0].days.size(), 30u);
    EXPECT_EQ(months[0].days.front(), "2月4日-" + pillarsAt(SolarDate{2000, 2, 4, 12, 0}).day.name());
    EXPECT_EQ(months[0].days.back(), "3月4日-" + pillarsAt(SolarDate{2000, 3, 4, 12, 0}).day.name());
    EXPECT_EQ(months[1].days.front(), "3月5日-" + pillarsAt(SolarDate{2000, 3, 5, 12, 0}).day.name());
    EXPECT_EQ(months[11].text.substr(0, std::string("12月-己丑 2001年1月5日").size()),
              "12月-己丑 2001年1月5日");
    EXPECT_EQ(months[11].days.back().substr(0, std::string("2月3日-").size()), "2月3日-");
    EXPECT_FALSE(flowingMonthTree(1899, months, message));
    EXPECT_EQ(message, "流月、流日查看的年份在1900-2100年之间");
    EXPECT_FALSE(flowingMonthTree(2100, months, message));
}

} // namespace
} // namespace varrow::bazi
