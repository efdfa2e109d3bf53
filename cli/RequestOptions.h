// Reading the request options that every chart command shares, with the same
// checks and messages as the input panel.
#pragma once

#include <string>

#include "chart/ChartRequest.h"
#include "chart/RequestMoment.h"
#include "cli/CliUtil.h"

namespace varrow::cli {

// The common options of readChartRequest, then --question TEXT and the
// kind's own fields (--nobleMode, --zhanShi, --diFen, --birthYear,
// --castMethod, --primaryLines, --changedLines). Defaults are the panel's.
// False with the panel's message for bad input.
bool readRequest(const Options& o, ChartKind kind, ChartRequest& request, std::string& error);

} // namespace varrow::cli
