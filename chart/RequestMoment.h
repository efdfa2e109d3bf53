// The first step every engine shares: the request's date range checked and
// its moment resolved (lunar to solar, true solar time, lunar date).
#pragma once

#include <string>

#include "calendar/ChartMoment.h"
#include "chart/ChartRequest.h"

namespace varrow {

// The chart-moment input of a request, with its true-solar-time switch.
ChartMoment momentOf(const ChartRequest& request);

// The year range and the 1582 gap; false with the engines' message.
bool checkChartDate(const ChartRequest& request, std::string& error);

// checkChartDate, then ResolveChartMoment in the kind's variant. lateZi is
// the Four Pillars setting (23:xx keeps the day). False with the message.
bool resolveRequestMoment(const ChartRequest& request, MomentVariant variant, ChartMoment& moment,
                          std::string& error, bool lateZi = false);

} // namespace varrow
