// The settings a Four Pillars chart reads afresh at each run, from
// dat/set.ini under the program directory. A missing file or key gives the
// default.
#pragma once

#include <string>
#include <vector>

namespace varrow::bazi {

struct BaziSettings {
    bool lateZi = false;          // bazi/zishi: 23:00-23:59 keeps the current day
    bool verticalPillars = false; // bazi/pai == 1: stems and branches on two lines
    bool closingText = false;     // global/endinfo: append dat/EndInfo.txt
};

BaziSettings readBaziSettings(const std::string& programDir);

// The lines of dat/EndInfo.txt as UTF-8, without their line breaks; none
// when the file is missing.
std::vector<std::string> readClosingText(const std::string& programDir);

} // namespace varrow::bazi
