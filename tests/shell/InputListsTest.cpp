#include "chart/InputLists.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/GanZhi.h"

namespace varrow {
namespace {

TEST(InputLists, TimeZonesFollowTheNamingRule) {
    for (int i = 0; i < 24; ++i) {
        std::string expected;
        if (i == 0)
            expected = "零时区";
        else if (i < 12)
            expected = "东" + std::string(lists::zoneNumerals[i - 1]) + "区";
        else if (i == 12)
            expected = "中十二区";
        else
            expected = "西" + std::string(lists::zoneNumerals[i - 13]) + "区";
        EXPECT_EQ(lists::timeZones[i], expected) << i;
    }
    EXPECT_EQ(lists::timeZones[lists::kDefaultTimeZone], "东八区");
}

TEST(InputLists, NumberedItems) {
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(lists::months[m - 1], std::to_string(m) + "月");
    for (int d = 1; d <= 31; ++d) EXPECT_EQ(lists::days[d - 1], std::to_string(d) + "日");
    for (int m = 0; m < 60; ++m) EXPECT_EQ(lists::minutes[m], std::to_string(m) + "分");
}

TEST(InputLists, HoursCarryTheirBranch) {
    for (int h = 0; h < 24; ++h)
        EXPECT_EQ(lists::hours[h],
                  std::to_string(h) + "时" + std::string(names::branches[names::hourBranch(h)]))
            << h;
    EXPECT_EQ(lists::hours[0], "0时子");
    EXPECT_EQ(lists::hours[2], "2时丑");
    EXPECT_EQ(lists::hours[23], "23时子");
}

TEST(InputLists, BranchPickersStartWithZi) {
    for (int i = 0; i < 12; ++i) {
        std::string branch(names::branches[(i + 1) % 12]);
        std::string animal(names::animals[(i + 1) % 12]);
        EXPECT_TRUE(lists::diFenItems[i].starts_with(branch + "," + animal + ",")) << i;
        EXPECT_EQ(lists::zhanShiItems[i], branch + "时");
    }
    EXPECT_EQ(lists::diFenItems[0], "子,鼠,正北");
    EXPECT_EQ(lists::diFenItems[11], "亥,猪,正北偏西");
}

TEST(InputLists, ProvincesAndOthers) {
    EXPECT_EQ(lists::provinces[0], "福建省");
    EXPECT_EQ(lists::provinces[8], "黑龙江省");
    EXPECT_EQ(lists::provinces[lists::kUnknownProvince], "未知地");
    EXPECT_EQ(lists::nobleModes[0], "按卯,酉时区分");
    EXPECT_EQ(lists::qiMenCustom[0], "");
    EXPECT_EQ(lists::qiMenCustom[1], "阴遁一局");
    EXPECT_EQ(lists::qiMenCustom[10], "");
    EXPECT_EQ(lists::qiMenCustom[19], "阳遁九局");
}

} // namespace
} // namespace varrow
