// The contents of the input panel's pickers, as data.
#pragma once

#include <array>
#include <string_view>

namespace varrow::lists {

// Index 34, "未知地", means that no place is given.
extern const std::array<std::string_view, 35> provinces;
inline constexpr int kUnknownProvince = 34;

// 零时区, 东一区 .. 东十一区, 中十二区, 西一区 .. 西十一区.
extern const std::array<std::string_view, 11> zoneNumerals;
extern const std::array<std::string_view, 24> timeZones;
inline constexpr int kDefaultTimeZone = 8;

// cbom, cbod, cbos, cbomin.
extern const std::array<std::string_view, 12> months;  // "1月" ..
extern const std::array<std::string_view, 31> days;    // "1日" ..
extern const std::array<std::string_view, 24> hours;   // "0时子", "1时丑" .. "23时子"
extern const std::array<std::string_view, 60> minutes; // "0分" ..

// CboDiFen ("子,鼠,正北" ..) and CboZhanShi ("子时" ..), index 0 = 子.
extern const std::array<std::string_view, 12> diFenItems;
extern const std::array<std::string_view, 12> zhanShiItems;

// CboYy and CboYy2.
extern const std::array<std::string_view, 3> nobleModes;

// CboQiMenCustom: blank, 阴遁一局 .. 阴遁九局, blank, 阳遁一局 .. 阳遁九局.
extern const std::array<std::string_view, 20> qiMenCustom;

} // namespace varrow::lists
