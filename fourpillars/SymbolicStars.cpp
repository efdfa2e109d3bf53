#include "fourpillars/SymbolicStars.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>

#include "fourpillars/BaziNames.h"

namespace varrow::bazi {
namespace {

// Stems: 癸0 甲1 乙2 丙3 丁4 戊5 己6 庚7 辛8 壬9. Branches: 亥0 子1 丑2 寅3
// 卯4 辰5 巳6 午7 未8 申9 酉10 戌11. Tables indexed by the day stem hold 癸 first.

// 天乙: two branches per day stem.
constexpr int kNoble[10][2] = {{4, 6}, {2, 8}, {1, 9}, {0, 10}, {0, 10},
                               {2, 8}, {1, 9}, {3, 7}, {3, 7},  {4, 6}};
// 太极: up to four branches per day stem (-1 unused).
constexpr int kTaiji[10][4] = {{6, 9, -1, -1},  {1, 7, -1, -1}, {1, 7, -1, -1}, {4, 10, -1, -1},
                               {4, 10, -1, -1}, {5, 11, 2, 8},  {5, 11, 2, 8},  {3, 0, -1, -1},
                               {3, 0, -1, -1},  {6, 9, -1, -1}};
// 月德: the stem for the month branch's triad (branch mod 4: 亥卯未 0, 申子辰 1, 巳酉丑 2, 寅午戌 3).
constexpr int kMonthVirtue[4] = {1, 9, 7, 3};
// 天德: the character for each month branch.
constexpr std::array<std::string_view, 12> kHeavenVirtue = {"乙", "巳", "庚", "丁", "申", "壬",
                                                            "辛", "亥", "甲", "癸", "寅", "丙"};
// 福星.
constexpr int kFortune[10][2] = {{2, 4},  {1, 3},  {2, 4},  {1, 3},  {0, -1},
                                 {9, -1}, {8, -1}, {7, -1}, {6, -1}, {5, -1}};
// 文昌: 甲 and 乙 share their pair.
constexpr int kLiterary[10][2] = {{4, -1}, {6, 7},   {6, 7},  {9, -1}, {10, -1},
                                  {9, -1}, {10, -1}, {0, -1}, {1, -1}, {3, -1}};
// 国印.
constexpr int kSeal[10] = {9, 11, 0, 2, 3, 2, 3, 5, 6, 8};
// 驿马, 华盖, 将星, 桃花, 劫煞, 灾煞 by the day branch's triad (branch mod 4 as above).
constexpr std::array<std::string_view, 6> kTriadNames = {"驿马", "华盖", "将星", "桃花", "劫煞", "灾煞"};
constexpr int kTriadStars[4][6] = {
    {6, 8, 4, 1, 9, 10}, {3, 5, 1, 10, 6, 7}, {0, 2, 10, 7, 3, 4}, {9, 11, 7, 4, 0, 1}};
// 学堂 and 词馆: the pillar itself, as (stem, branch), by day stem.
constexpr int kSchool[10][2] = {{1, 9}, {6, 0}, {6, 0}, {3, 3}, {3, 3},
                                {5, 9}, {5, 9}, {8, 6}, {8, 6}, {1, 9}};
constexpr int kHall[10][2] = {{9, 11}, {7, 3}, {8, 4}, {2, 6},  {5, 7},
                              {4, 6},  {7, 7}, {9, 9}, {0, 10}, {0, 0}};
// 禄神 and 羊刃.
constexpr int kSalary[10] = {1, 3, 4, 6, 7, 6, 7, 9, 10, 0};
constexpr int kBlade[10] = {0, 4, 3, 7, 6, 7, 6, 10, 9, 1};

bool among(int b, std::initializer_list<int> set) {
    return std::find(set.begin(), set.end(), b) != set.end();
}

} // namespace

std::string SymbolicStars(const FourPillars& chart, GanZhi n, int position) {
    const int s = n.stem(), b = n.branch();
    const int D = chart.day.stem(), B = chart.day.branch(), M = chart.month.branch(), Y = chart.year.branch();
    std::string out;
    auto add = [&out](std::string_view name, bool holds) {
        if (!holds) return;
        out += name;
        out += ' ';
    };
    add("天乙", b == kNoble[D][0] || b == kNoble[D][1]);
    add("太极", std::find(std::begin(kTaiji[D]), std::end(kTaiji[D]), b) != std::end(kTaiji[D]));
    add("月德", s == kMonthVirtue[M % 4]);
    add("天德", kHeavenVirtue[M] == n.stemName() || kHeavenVirtue[M] == n.branchName());
    add("福星", b == kFortune[D][0] || b == kFortune[D][1]);
    add("文昌", b == kLiterary[D][0] || b == kLiterary[D][1]);
    add("国印", b == kSeal[D]);
    if (position != kDay)
        for (int k = 0; k < 6; ++k) add(kTriadNames[k], b == kTriadStars[B % 4][k]);
    add("天罗", among(D, {3, 4}) && among(b, {11, 0}));
    add("地网", among(D, {9, 0, 5, 6}) && among(b, {5, 6}));
    add("学堂", s == kSchool[D][0] && b == kSchool[D][1]);
    add("词馆", s == kHall[D][0] && b == kHall[D][1]);
    add("天医", b == mod(M - 1, 12));
    add("禄神", b == kSalary[D]);
    add("金舆", b == (kSalary[D] + 2) % 12);
    add("羊刃", b == kBlade[D]);
    add("孤辰", b == (3 + 3 * (Y / 3)) % 12);
    add("寡宿", b == (11 + 3 * (Y / 3)) % 12);
    auto v = voidBranches(chart.day);
    add("空亡", b == v[0] || b == v[1]);
    return out;
}

std::string DayOnlyStars(GanZhi day, GanZhi month) {
    auto is = [day](std::initializer_list<std::string_view> names) {
        std::string name = day.name();
        for (std::string_view n : names)
            if (n == name) return true;
        return false;
    };
    std::string out;
    if (is({"庚辰", "壬辰", "戊戌", "庚戌"})) out += "魁罡 ";
    if (is({"乙丑", "己巳", "癸酉"})) out += "金神 ";
    if (is({"丙子", "丁丑", "戊寅", "辛卯", "壬辰", "癸巳", "丙午", "丁未", "戊申", "辛酉", "壬戌", "癸亥"}))
        out += "阴阳差错 ";
    // 天赦 by season of the month branch: spring 寅卯辰, summer 巳午未, autumn 申酉戌, winter 亥子丑.
    constexpr std::array<std::string_view, 4> kPardon = {"甲子", "戊寅", "甲午", "戊申"};
    if (day.name() == kPardon[month.branch() / 3]) out += "天赦 ";
    return out;
}

} // namespace varrow::bazi
