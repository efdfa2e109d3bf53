// The Four Pillars engine: built on a ReportSink for one chart, it resolves
// the moment, derives the reading and writes the report.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/ChartMoment.h"
#include "chart/ChartEngine.h"
#include "fourpillars/BaziChart.h"
#include "fourpillars/BaziSettings.h"
#include "chart/ChartRequest.h"
#include "text/ReportSink.h"

namespace varrow {

class CBaZimp {
public:
    explicit CBaZimp(ReportSink& sink);

    void SetTrueSolarTime(bool on) { useTrueSolarTime_ = on; }
    // Where dat/set.ini and dat/EndInfo.txt are found; "." by default.
    void SetProgramDir(std::string dir) { programDir_ = std::move(dir); }

    // True on success; on failure the error text is set and the sink untouched.
    bool MakeChart(const ChartRequest& request);
    const std::string& ErrorText() const { return error_; }
    // Year, month, day and hour pillars, each 0..59.
    void GetPillars(std::uint8_t out[4]) const;
    // The solar birth year (astronomical) and the age the first luck cycle begins.
    void GetBirthInfo(std::int32_t& birthYear, std::int32_t& startAge) const;

    // The last chart and its report text, for the tools and the command line.
    const bazi::BaziChart& Chart() const { return chart_; }
    const std::string& Report() const { return report_; }

private:
    void ReadSettings();
    void Render();

    ReportSink& sink_;
    ChartRequest request_;
    ChartMoment moment_;
    bazi::BaziChart chart_;
    std::string report_;
    std::string error_;
    std::string programDir_ = ".";
    bazi::BaziSettings settings_;
    bool useTrueSolarTime_ = false;
};

} // namespace varrow
