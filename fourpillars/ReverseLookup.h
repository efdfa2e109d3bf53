// From four pillars and a start year back to the first birth date and hour
// that give them.
#pragma once

#include <optional>
#include <string>

#include "calendar/GanZhi.h"
#include "calendar/Yidate.h"

namespace varrow::bazi {

struct PillarChoice {
    int stem;   // 0 癸, 1 甲 .. 9 壬
    int branch; // 0 亥, 1 子 .. 11 戌
};

// The four chosen pairs (year, month, day, hour) as pillars, or the text of
// the first that cannot exist: "不存在这个月柱！" etc. A month stem must be the
// one the year stem gives its branch, an hour stem the one the day stem gives.
bool choosePillars(const PillarChoice (&choice)[4], FourPillars& out, std::string& message);

// The start year as typed (historical): -999 .. 2100 without 0, else the
// message of the year box.
bool checkStartYear(long typed, std::string& message);

// The first moment from the start year (typed, historical) on whose pillars
// are `wanted`: the even hour inside the hour branch plus 5 minutes.
std::optional<SolarDate> reverseLookup(const FourPillars& wanted, int startYearTyped);

// The result memo's text for a search.
std::string reverseLookupText(const std::optional<SolarDate>& found);

} // namespace varrow::bazi
