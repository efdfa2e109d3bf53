#include "chart/ChartKinds.h"

#include <array>

namespace varrow {

// Each kind's folder defines its factory.
#define VARROW_KIND(KIND, STORE, CAPTION, FAMILY, MOMENT, SURFACE, W, H, PAGE, FACTORY)                      \
    std::unique_ptr<ChartEngine> makeEngine##FACTORY(const EngineSetup& setup);
#include "chart/ChartKinds.def"
#undef VARROW_KIND

namespace {

// Kinds without an engine name None, which is never called.
std::unique_ptr<ChartEngine> makeEngineNone(const EngineSetup&) { return nullptr; }
constexpr EngineFactory factoryOr(EngineFactory f) { return f == &makeEngineNone ? nullptr : f; }

const std::array<ChartKindInfo, kChartKindCount> kKinds = {{
#define VARROW_KIND(KIND, STORE, CAPTION, FAMILY, MOMENT, SURFACE, W, H, PAGE, FACTORY)                      \
    {ChartKind::KIND,                                                                                        \
     STORE,                                                                                                  \
     CAPTION,                                                                                                \
     ChartFamily::FAMILY,                                                                                    \
     MomentVariant::MOMENT,                                                                                  \
     ChartSurfaceKind::SURFACE,                                                                              \
     W,                                                                                                      \
     H,                                                                                                      \
     PAGE,                                                                                                   \
     factoryOr(&makeEngine##FACTORY)},
#include "chart/ChartKinds.def"
#undef VARROW_KIND
}};

} // namespace

std::span<const ChartKindInfo> chartKinds() { return kKinds; }
const ChartKindInfo& kindInfo(ChartKind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

std::unique_ptr<ChartEngine> makeEngine(ChartKind kind, const EngineSetup& setup) {
    EngineFactory f = kindInfo(kind).makeEngine;
    return f ? f(setup) : nullptr;
}

std::string_view storeName(ChartKind kind) { return kindInfo(kind).storeName; }
std::string_view tabCaption(ChartKind kind) { return kindInfo(kind).caption; }

std::optional<ChartKind> chartKindFromStoreName(std::string_view name) {
    for (const ChartKindInfo& k : kKinds)
        if (k.storeName == name) return k.kind;
    return std::nullopt;
}

std::optional<ChartKind> chartKindFromIndex(int index) {
    if (index < 0 || index >= kChartKindCount) return std::nullopt;
    return static_cast<ChartKind>(index);
}

} // namespace varrow
