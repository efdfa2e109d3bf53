// Reading the request options that every chart command shares.
#pragma once

#include <string>

#include "calendar/ChartMoment.h"
#include "cli/CliUtil.h"

namespace varrow::cli {

// --date Y-MM-DD (historical year; lunar when --lunar, with --leap), --time HH:MM,
// --lon DEG:MIN, --true-solar, --late-zi. Defaults: now, longitude 120:30.
// False with a message for malformed input.
bool readMomentOptions(const Options& o, ChartMoment& m, std::string& error);

} // namespace varrow::cli
