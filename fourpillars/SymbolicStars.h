// The symbolic stars (神煞) of each pillar of a chart.
#pragma once

#include <string>

#include "calendar/GanZhi.h"

namespace varrow::bazi {

// Position of a pillar in the chart.
enum PillarPosition { kYear = 0, kMonth = 1, kDay = 2, kHour = 3 };

// The names of the stars pillar n at position p carries, each followed by a
// blank, in the fixed order of the reading.
std::string SymbolicStars(const FourPillars& chart, GanZhi n, int position);

// The stars only a day pillar can carry (魁罡, 金神, 阴阳差错, 天赦), each
// followed by a blank.
std::string DayOnlyStars(GanZhi day, GanZhi month);

} // namespace varrow::bazi
