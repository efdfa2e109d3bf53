// Reading a ChartRequest from the request options every chart command
// shares, with the input panel's checks, messages and defaults.
#pragma once

#include <string>

#include "chart/ChartRequest.h"
#include "cli/CliUtil.h"

namespace varrow::cli {

// --name --sex --date --time --lunar --leap --province --city --place --lon
// --lat --true-solar --zone. False with the panel's message on bad input.
bool readChartRequest(const Options& o, ChartRequest& request, std::string& error);

// The program directory: --home DIR, else $VARROW_HOME, else the directory of
// the executable.
std::string programDir(const Options& o);

} // namespace varrow::cli
