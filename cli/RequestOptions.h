// Reading the request options that every chart command shares, with the same
// checks and messages as the input panel.
#pragma once

#include <string>

#include "calendar/ChartMoment.h"
#include "cli/CliUtil.h"
#include "shell/ChartRequest.h"

namespace varrow::cli {

// --name TEXT, --sex male|female, --date Y-MM-DD (historical year; lunar with
// --lunar, leap with --leap), --time HH:MM, --province TEXT, --city TEXT or
// --place TEXT, --lon DEG:MIN, --lat DEG:MIN, --true-solar, --zone INDEX,
// --question TEXT and the kind's own fields. Defaults are the panel's.
// False with the panel's message for bad input.
bool readRequest(const Options& o, ChartKind kind, ChartRequest& request, std::string& error);

// The chart-moment input of a request.
ChartMoment momentOf(const ChartRequest& request);

} // namespace varrow::cli
