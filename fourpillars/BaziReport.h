// The text of a Four Pillars report, built in one piece from the computed
// chart; the highlighting is applied afterwards by CBaZimp.
#pragma once

#include <string>
#include <vector>

#include "fourpillars/BaziChart.h"

namespace varrow::bazi {

struct ReportHeader {
    std::string name;
    std::string place;
    float longitude = 120.5f;
    float latitude = 30.0f;
    bool trueSolarTime = false;
};

struct ReportOptions {
    bool verticalPillars = false;
    // Appended after the commentaries, each line followed by "\n".
    std::vector<std::string> closingLines;
};

std::string buildBaziReport(const BaziChart& chart, const ReportHeader& header, const ReportOptions& options);

// Pieces the report and the command-line json print the same way.
int historicalYear(int astronomical);
std::string lunarDateText(const LunarDate& lunar, bool leap); // " 十一月 廿五日", as the report writes it
std::string hiddenStemNames(GanZhi pillar);                   // "己丁"
std::string hiddenTenGods(int dayStem, GanZhi pillar);        // "劫印"
// The resource and the line numbers of the commentaries this chart quotes.
int sanmingGeneralLine(const FourPillars& p);
int sanmingDayLine(const FourPillars& p);
std::string qiongtongResource(const FourPillars& p);
std::string qiongtongKey(const FourPillars& p);

} // namespace varrow::bazi
