// The commands of varrow-cli. Each lives in its own file (CmdXxx.cpp) and
// is listed in the table of main.cpp.
#pragma once

#include <string>
#include <vector>

namespace varrow::cli {

using Args = std::vector<std::string>;

// Each returns the process exit status; args excludes the command word.
int cmdDays(const Args& args);
int cmdTerms(const Args& args);
int cmdSolarToLunar(const Args& args);
int cmdLunarToSolar(const Args& args);
int cmdMoment(const Args& args);
int cmdToday(const Args& args);
int cmdChart(const Args& args);
int cmdRecords(const Args& args);

} // namespace varrow::cli
