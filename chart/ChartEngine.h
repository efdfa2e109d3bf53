// The interface every chart engine implements: chart a request onto the
// surface it was made on, keep the error text of a failure, and give the last
// chart's computed model as JSON (names as the chart prints them, years in
// historical form).
#pragma once

#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "chart/ChartRequest.h"
#include "text/ChartCanvas.h"
#include "text/ReportSink.h"

namespace varrow {

// What an engine is made on: a report kind gets a sink, a picture kind a canvas.
struct EngineSetup {
    ReportSink* report = nullptr;
    ChartCanvas* canvas = nullptr;
    std::string programDir = "."; // where dat/set.ini and dat/EndInfo.txt are found
};

class ChartEngine {
public:
    virtual ~ChartEngine() = default;

    // True on success. Writes onto the surface only when request.writeReport;
    // a failure sets ErrorText and leaves the surface and the last chart as
    // they were.
    virtual bool Chart(const ChartRequest& request) = 0;
    virtual const std::string& ErrorText() const = 0;
    // The last successful chart.
    virtual nlohmann::ordered_json Model() const = 0;
    // The last report as plain text (empty for picture kinds).
    virtual std::string ReportText() const { return {}; }
};

using EngineFactory = std::unique_ptr<ChartEngine> (*)(const EngineSetup&);

} // namespace varrow
