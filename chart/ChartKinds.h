// The chart-kind registry: one line per kind in ChartKinds.def, read by the
// main window, varrow-cli, the history lists and the store.
#pragma once

#include <span>
#include <string_view>

#include "calendar/ChartMoment.h"
#include "chart/ChartEngine.h"
#include "chart/ChartKind.h"

namespace varrow {

enum class ChartFamily { Birth, Question };
enum class ChartSurfaceKind { Report, Picture };

struct ChartKindInfo {
    ChartKind kind;
    std::string_view storeName; // "bazi" ...: record files, notes, the CLI's KIND
    std::string_view caption;   // the tab's caption
    ChartFamily family;
    MomentVariant moment;
    ChartSurfaceKind surface;
    int pictureWidth, pictureHeight; // picture kinds only
    int settingsPage;                // page of the chart settings dialog, -1 none
    EngineFactory makeEngine;        // null while the kind has no engine
};

std::span<const ChartKindInfo> chartKinds();
const ChartKindInfo& kindInfo(ChartKind kind);

// A new engine of the kind, or null when it has none.
std::unique_ptr<ChartEngine> makeEngine(ChartKind kind, const EngineSetup& setup);
inline bool engineAvailable(ChartKind kind) { return kindInfo(kind).makeEngine != nullptr; }

} // namespace varrow
