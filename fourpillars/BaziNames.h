// The vocabulary of the Four Pillars reading and the pure rules that pick
// from it. Indexes follow the shared numbering: stems 1 甲 .. 9 壬, 0 癸;
// branches 1 子 .. 11 戌, 0 亥.
#pragma once

#include <array>
#include <string_view>

#include "calendar/GanZhi.h"

namespace varrow::bazi {

// Hidden stems of each branch in display order, as stem digits.
inline constexpr std::array<std::string_view, 12> kHiddenStems = {"19",  "0",  "086", "135", "2", "250",
                                                                  "735", "64", "264", "579", "8", "845"};

inline constexpr std::array<std::string_view, 10> kTenGods = {"比", "劫", "食", "伤", "财",
                                                              "才", "杀", "官", "枭", "印"};

inline constexpr std::array<std::string_view, 12> kStages = {"长生", "沐浴", "冠带", "临官", "帝旺", "衰",
                                                             "病",   "死",   "墓",   "绝",   "胎",   "养"};
// Branch of 长生 for each stem.
inline constexpr std::array<int, 10> kBirthBranch = {4, 0, 7, 3, 10, 3, 10, 6, 1, 9};

// Entry 0 serves 壬戌/癸亥, entry 1 甲子/乙丑, and so on in pairs.
inline constexpr std::array<std::string_view, 30> kNayin = {
    "大海水", "海中金", "炉中火", "大林木", "路旁土", "剑锋金", "山头火", "洞下水", "城墙土", "白蜡金",
    "杨柳木", "泉中水", "屋上土", "霹雷火", "松柏木", "长流水", "沙中金", "山下火", "平地木", "壁上土",
    "金箔金", "佛灯火", "天河水", "大驿土", "钗钏金", "桑松木", "大溪水", "沙中土", "天上火", "古榴木"};

inline constexpr std::array<std::string_view, 28> kMansions = {
    "轸", "角", "亢", "氐", "房", "心", "尾", "箕", "斗", "牛", "女", "虚", "危", "室",
    "壁", "奎", "娄", "胃", "昴", "毕", "觜", "参", "井", "鬼", "柳", "星", "张", "翼"};

inline constexpr std::array<std::string_view, 12> kSigns = {"白羊", "金牛", "双子", "巨蟹", "狮子", "处女",
                                                            "天秤", "天蝎", "人马", "摩羯", "宝瓶", "双鱼"};

constexpr int mod(int a, int m) { return ((a % m) + m) % m; }

// Label index of stem s seen from day stem d: for a yang day the same
// polarity comes first in each pair, for a yin day the opposite.
constexpr int TenGod(int d, int s) {
    d = mod(d, 10);
    s = mod(s, 10);
    if (d > s) s += 10;
    if (d % 2 == 0 && (s - d) % 2 == 1) s += 2;
    return (s - d) % 10;
}

// Stage index of stem s at branch b: yang stems run forward from 长生, yin backward.
constexpr int GrowthStage(int s, int b) {
    int c = kBirthBranch[mod(s, 10)];
    return mod(s, 10) % 2 == 1 ? mod(b - c, 12) : mod(c - b, 12);
}

// The two void branches of a day pillar (the decade's missing pair).
constexpr std::array<int, 2> voidBranches(GanZhi day) {
    int w = 11 - 2 * ((day.ordinal() - 1) / 10);
    return {w, (w + 1) % 12};
}

constexpr std::string_view nayin(GanZhi g) {
    int n = g.value();
    if (n % 2 == 1) n = (n + 1) % 60;
    return kNayin[n / 2];
}

// 胎元: the stem after the month stem on the branch three after the month branch.
constexpr GanZhi fetalOrigin(GanZhi month) {
    return GanZhi::of((month.stem() + 1) % 10, (month.branch() + 3) % 12);
}

// 命宫 from the month and hour branches, its stem by the five-tigers rule of the year stem.
constexpr GanZhi lifePalace(GanZhi year, GanZhi month, GanZhi hour) {
    int m = mod(month.branch() - 3, 12) + 1; // 寅 = 1 .. 丑 = 12
    int h = mod(4 - hour.branch(), 12);
    int n = (mod(2 - m, 12) + h) % 12;
    int t = mod(n - 3, 12);
    int stem = (2 * (year.stem() % 5) + t + 1) % 10;
    return GanZhi::of(stem, n);
}

// 0 none, 1 天上三奇, 2 地下三奇, 3 人中三奇 from the stems of year, month, day, hour.
constexpr int threeWonders(const FourPillars& p) {
    constexpr int trios[3][3] = {{1, 5, 7}, {2, 3, 4}, {9, 0, 8}};
    int s[4] = {p.year.stem(), p.month.stem(), p.day.stem(), p.hour.stem()};
    for (int k = 0; k < 3; ++k)
        for (int start = 0; start < 2; ++start)
            if (s[start] == trios[k][0] && s[start + 1] == trios[k][1] && s[start + 2] == trios[k][2])
                return k + 1;
    return 0;
}
inline constexpr std::array<std::string_view, 4> kWonderNames = {"", "天上三奇", "地下三奇", "人中三奇"};

} // namespace varrow::bazi
