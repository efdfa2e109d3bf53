// The derivation rules of a Four Pillars chart: name tables, stars, luck.
#include <gtest/gtest.h>

#include "fourpillars/BaziChart.h"
#include "fourpillars/BaziNames.h"
#include "fourpillars/BaziReport.h"
#include "fourpillars/SymbolicStars.h"

namespace varrow::bazi {
namespace {

GanZhi named(std::string_view name) {
    for (int n = 0; n < 60; ++n)
        if (GanZhi(n).name() == name) return GanZhi(n);
    ADD_FAILURE() << "no pillar " << name;
    return GanZhi(1);
}

int stemOf(std::string_view s) {
    for (int i = 0; i < 10; ++i)
        if (names::stems[i] == s) return i;
    return -1;
}

TEST(BaziRules, TenGodsFollowPolarity) {
    const char* fromJia[] = {"比", "劫", "食", "伤", "财", "才", "杀", "官", "枭", "印"};
    const char* others = "甲乙丙丁戊己庚辛壬癸";
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(kTenGods[TenGod(stemOf("甲"), stemOf(std::string_view(others + 3 * k, 3)))], fromJia[k]);
    struct Case {
        const char *day, *other, *label;
    } cases[] = {{"乙", "戊", "才"}, {"乙", "己", "财"}, {"乙", "庚", "官"}, {"乙", "辛", "杀"},
                 {"乙", "壬", "印"}, {"乙", "癸", "枭"}, {"乙", "甲", "劫"}, {"癸", "癸", "比"},
                 {"癸", "壬", "劫"}, {"戊", "丙", "枭"}};
    for (const Case& c : cases)
        EXPECT_EQ(kTenGods[TenGod(stemOf(c.day), stemOf(c.other))], c.label) << c.day << c.other;
}

TEST(BaziRules, StagesVoidAndNayin) {
    EXPECT_EQ(kStages[GrowthStage(stemOf("甲"), 0)], "长生"); // 甲 at 亥
    EXPECT_EQ(kStages[GrowthStage(stemOf("乙"), 7)], "长生"); // 乙 at 午
    EXPECT_EQ(kStages[GrowthStage(stemOf("乙"), 6)], "沐浴"); // yin stems run backward
    EXPECT_EQ(kStages[GrowthStage(stemOf("癸"), 4)], "长生");
    EXPECT_EQ(kStages[GrowthStage(stemOf("戊"), 1)], "胎");
    auto v = voidBranches(named("甲子"));
    EXPECT_EQ(names::branches[v[0]], "戌");
    EXPECT_EQ(names::branches[v[1]], "亥");
    v = voidBranches(named("癸亥"));
    EXPECT_EQ(names::branches[v[0]], "子");
    EXPECT_EQ(names::branches[v[1]], "丑");
    EXPECT_EQ(nayin(named("甲子")), "海中金");
    EXPECT_EQ(nayin(named("乙丑")), "海中金");
    EXPECT_EQ(nayin(named("壬戌")), "大海水");
    EXPECT_EQ(nayin(named("癸亥")), "大海水");
    EXPECT_EQ(hiddenStemNames(named("戊午")), "己丁");
    EXPECT_EQ(hiddenStemNames(named("丁丑")), "癸辛己");
    EXPECT_EQ(hiddenTenGods(stemOf("戊"), named("戊午")), "劫印");
}

TEST(BaziRules, FetalOriginAndLifePalace) {
    EXPECT_EQ(fetalOrigin(named("丙子")).name(), "丁卯");
    EXPECT_EQ(lifePalace(named("己卯"), named("丙子"), named("壬子")).name(), "己巳");
    // 寅 month, 卯 hour: the palace is at 子; a 甲 year puts 丙 on 寅, ten steps on 子 is 丙 again.
    EXPECT_EQ(lifePalace(named("甲子"), named("丙寅"), named("丁卯")).name(), "丙子");
    EXPECT_EQ(lifePalace(named("戊子"), named("甲寅"), named("丁卯")).name(), "甲子");
}

TEST(BaziRules, DayOnlyStars) {
    struct Case {
        const char *day, *month, *stars;
    } cases[] = {
        {"庚辰", "丙子", "魁罡 "},          {"壬辰", "丙子", "魁罡 阴阳差错 "}, {"乙丑", "丙子", "金神 "},
        {"戊寅", "丙寅", "阴阳差错 天赦 "}, {"戊寅", "丙子", "阴阳差错 "},      {"甲子", "丙子", "天赦 "},
        {"甲午", "庚午", "天赦 "},          {"戊申", "壬申", "阴阳差错 天赦 "}, {"戊午", "丙子", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DayOnlyStars(named(c.day), named(c.month)), c.stars) << c.day << c.month;
}

TEST(BaziRules, SymbolicStarsOfTheWorkedExample) {
    FourPillars p{named("己卯"), named("丙子"), named("戊午"), named("壬子")};
    EXPECT_EQ(SymbolicStars(p, p.year, kYear), "桃花 ");
    EXPECT_EQ(SymbolicStars(p, p.month, kMonth), "灾煞 空亡 ");
    EXPECT_EQ(SymbolicStars(p, p.day, kDay), "羊刃 ");
    EXPECT_EQ(SymbolicStars(p, p.hour, kHour), "月德 灾煞 空亡 ");
    // The day pillar never takes the six day-branch stars, even where its branch would.
    FourPillars q{named("甲子"), named("丙寅"), named("甲子"), named("甲子")};
    EXPECT_NE(SymbolicStars(q, q.year, kYear).find("将星"), std::string::npos);
    EXPECT_EQ(SymbolicStars(q, q.day, kDay).find("将星"), std::string::npos);
    // 甲 and 乙 days share 文昌 on 巳 and 午; 天德 compares stems and branches alike.
    FourPillars r{named("乙巳"), named("丙寅"), named("甲子"), named("丁卯")};
    EXPECT_NE(SymbolicStars(r, r.year, kYear).find("文昌"), std::string::npos);
    EXPECT_NE(SymbolicStars(r, r.hour, kHour).find("天德"), std::string::npos); // 寅 month: 丁
}

TEST(BaziRules, ThreeWonders) {
    auto wonder = [](const char* y, const char* m, const char* d, const char* h) {
        return kWonderNames[threeWonders(FourPillars{named(y), named(m), named(d), named(h)})];
    };
    EXPECT_EQ(wonder("甲子", "戊辰", "庚午", "丙子"), "天上三奇");
    EXPECT_EQ(wonder("丙寅", "甲午", "戊子", "庚申"), "天上三奇");
    EXPECT_EQ(wonder("乙丑", "丙子", "丁卯", "丙午"), "地下三奇");
    EXPECT_EQ(wonder("壬子", "癸丑", "辛卯", "丙申"), "人中三奇");
    EXPECT_EQ(wonder("甲子", "戊辰", "辛未", "庚寅"), "");
}

TEST(BaziRules, LuckMinutesSplitIntoYearsMonthsDays) {
    struct Case {
        int minutes, years, months, days;
    } cases[] = {{34693, 8, 0, 11}, {7740, 1, 9, 15}, {4320, 1, 0, 0},
                 {359, 0, 0, 29},   {0, 0, 0, 0},     {11, 0, 0, 0}};
    for (const Case& c : cases) {
        LuckCycles l;
        splitLuckMinutes(c.minutes, l);
        EXPECT_EQ(std::tie(l.years, l.months, l.days), std::tie(c.years, c.months, c.days)) << c.minutes;
    }
}

TEST(BaziRules, LunarDateText) {
    struct Case {
        int month, day;
        bool leap;
        const char* text;
    } cases[] = {{1, 1, false, " 正月 初一日"},  {11, 10, true, " 闰十一月 初十日"},
                 {3, 20, false, " 三月 二十日"}, {12, 21, false, " 十二月 廿一日"},
                 {4, 30, false, " 四月 三十日"}, {1, 15, true, " 闰正月 十五日"}};
    for (const Case& c : cases) {
        LunarDate l;
        l.month = static_cast<std::int16_t>(c.month);
        l.day = static_cast<std::int16_t>(c.day);
        EXPECT_EQ(lunarDateText(l, c.leap), c.text);
    }
}

TEST(BaziRules, CommentaryLookups) {
    struct Case {
        const char *day, *month, *hour;
        int general, dayLine;
        const char *resource, *key;
    } cases[] = {
        {"甲子", "丙寅", "甲子", 0, 1, "qt01", "[13]"},
        {"甲戌", "丙寅", "甲子", 0, 6, "qt01", "[13]"},
        {"癸亥", "壬戌", "癸亥", 833, 839, "qt01", "[011]"},
        {"戊午", "丙子", "壬子", 336, 340, "qt01", "[51]"},
        {"壬子", "己亥", "庚子", 672, 673, "qt02", "[90]"},
        {"癸丑", "壬戌", "壬子", 756, 757, "qt01", "[011]"},
    };
    for (const Case& c : cases) {
        FourPillars p{named("甲子"), named(c.month), named(c.day), named(c.hour)};
        EXPECT_EQ(sanmingGeneralLine(p), c.general) << c.day;
        EXPECT_EQ(sanmingDayLine(p), c.dayLine) << c.day;
        EXPECT_EQ(qiongtongResource(p), c.resource) << c.day;
        EXPECT_EQ(qiongtongKey(p), c.key) << c.day;
    }
}

TEST(BaziRules, WorkedExampleModel) {
    ChartMoment m;
    ASSERT_TRUE(ResolveChartMoment(m));
    BaziChart c = computeBaziChart(m, true, false);
    EXPECT_FALSE(c.luck.forward);
    EXPECT_EQ(c.luck.minutes, 34693);
    EXPECT_EQ(c.luck.startDate, (SolarDate{2008, 1, 12, 0, 0}));
    EXPECT_EQ(c.luck.startAge, 9);
    std::string luck;
    for (GanZhi g : c.luck.pillars) luck += g.name();
    EXPECT_EQ(luck, "乙亥甲戌癸酉壬申辛未庚午己巳戊辰");
    EXPECT_EQ(kSigns[c.sign], "摩羯");
    EXPECT_EQ(kMansions[c.mansion], "胃");
    EXPECT_EQ(c.smallLuck(9).name(), "癸卯");

    BaziChart f = computeBaziChart(m, false, false);
    EXPECT_TRUE(f.luck.forward);
    EXPECT_EQ(f.luck.minutes, 7741); // 5 days 9 h 1 min up to 小寒 at 09:01
    EXPECT_EQ(f.luck.startDate, (SolarDate{2001, 10, 16, 0, 0}));
    EXPECT_EQ(f.luck.startAge, 2);
    EXPECT_EQ(f.luck.pillars[0].name(), "丁丑");
    EXPECT_EQ(f.luck.pillars[1].name(), "戊寅");
}

TEST(BaziRules, WesternSignChangesAtTheMidTerm) {
    // 春分 2000 fell on 03-20 15:35 (UTC+8): 双鱼 before, 白羊 from then on.
    ChartMoment before, after;
    before.month = after.month = 3;
    before.day = after.day = 20;
    before.hour = 15, before.minute = 34;
    after.hour = 15, after.minute = 35;
    ASSERT_TRUE(ResolveChartMoment(before));
    ASSERT_TRUE(ResolveChartMoment(after));
    EXPECT_EQ(kSigns[computeBaziChart(before, true, false).sign], "双鱼");
    EXPECT_EQ(kSigns[computeBaziChart(after, true, false).sign], "白羊");
}

} // namespace
} // namespace varrow::bazi
