// The two commentaries the Four Pillars report quotes: 三命通会 ("sanming",
// 120 blocks of 7 lines) and 穷通宝鉴 ("qt01" for the day stems 癸..戊,
// "qt02" for 己..壬, sections keyed "[sb]" and closed by "[end]").
#pragma once

#include <string_view>
#include <vector>

namespace varrow::bazi {

// Line `index` (from 0) of "sanming"; empty when the text lacks it.
std::string_view sanmingLine(int index);

// The lines of the section whose key line is `key` ("[51]") in the named
// resource, up to but not including "[end]"; none when the key is missing.
std::vector<std::string_view> qiongtongSection(std::string_view resource, std::string_view key);

} // namespace varrow::bazi
