// Sexagenary cycle values and the shared name tables.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace varrow {

// Name tables. Tables indexed by a stem or a branch hold 癸 / 亥 in slot 0,
// so GanZhi n is named stems[n % 10] + branches[n % 12].
namespace names {
inline constexpr std::array<std::string_view, 10> stems = {"癸", "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬"};
inline constexpr std::array<std::string_view, 12> branches = {"亥", "子", "丑", "寅", "卯", "辰",
                                                              "巳", "午", "未", "申", "酉", "戌"};
inline constexpr std::array<std::string_view, 12> animals = {"猪", "鼠", "牛", "虎", "兔", "龙",
                                                             "蛇", "马", "羊", "猴", "鸡", "狗"};
inline constexpr std::array<std::string_view, 5> elements = {"水", "木", "火", "土", "金"};
inline constexpr std::array<std::string_view, 7> weekdays = {"日", "一", "二", "三", "四", "五", "六"};
inline constexpr std::array<std::string_view, 10> digits = {"○", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
// The 24 solar terms from 小寒; month M holds terms 2M-2 (first) and 2M-1 (second).
inline constexpr std::array<std::string_view, 24> terms = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};
// The same names as one text, each followed by a blank, as the reports print them.
inline constexpr std::string_view termText = "小寒 大寒 立春 雨水 惊蛰 春分 清明 谷雨 立夏 小满 芒种 夏至 "
                                             "小暑 大暑 立秋 处暑 白露 秋分 寒露 霜降 立冬 小雪 大雪 冬至 ";

// Name of the first (which == 1) or second term of Gregorian month 1..12.
constexpr std::string_view termName(int month, int which) { return terms[2 * (month - 1) + (which == 1 ? 0 : 1)]; }
// Branch of a clock hour 0..23, 子 = 1 in the shared numbering (23:00-0:59 子).
constexpr int hourBranch(int hour) { return (((hour + 1) / 2) % 12 + 1) % 12; }
} // namespace names

// One position of the sexagenary cycle: 1 甲子 .. 59 壬戌, 0 (= 60) 癸亥.
class GanZhi {
public:
    constexpr GanZhi() = default;
    constexpr explicit GanZhi(int n) : n_(((n % 60) + 60) % 60) {}
    // The position with stem s (0..9) and branch b (0..11) of the same parity.
    static constexpr GanZhi of(int stem, int branch) {
        return GanZhi(stem + 10 * ((((stem - branch) % 12 + 12) % 12) / 2));
    }
    constexpr int value() const { return n_; }
    // 1..60, the ordinal as books count it.
    constexpr int ordinal() const { return n_ == 0 ? 60 : n_; }
    constexpr int stem() const { return n_ % 10; }
    constexpr int branch() const { return n_ % 12; }
    constexpr bool yang() const { return stem() % 2 == 1; }
    std::string name() const { return std::string(names::stems[stem()]) + std::string(names::branches[branch()]); }
    std::string_view stemName() const { return names::stems[stem()]; }
    std::string_view branchName() const { return names::branches[branch()]; }

    friend constexpr bool operator==(GanZhi, GanZhi) = default;

private:
    int n_ = 1;
};

struct FourPillars {
    GanZhi year, month, day, hour;
    friend constexpr bool operator==(const FourPillars&, const FourPillars&) = default;
};

} // namespace varrow
