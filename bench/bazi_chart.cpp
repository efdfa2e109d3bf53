// One Four Pillars chart from request to finished report text, and the same
// with the report rendered and highlighted in a RichText.
#include <benchmark/benchmark.h>

#include "fourpillars/Bazimp.h"
#include "text/RichText.h"

namespace {

void BM_BaziReportText(benchmark::State& state) {
    varrow::RichText doc;
    varrow::CBaZimp engine(doc);
    engine.SetProgramDir("/nonexistent");
    varrow::ChartRequest request;
    request.writeReport = false;
    for (auto _ : state) {
        bool ok = engine.MakeChart(request);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(engine.Report().data());
    }
}
BENCHMARK(BM_BaziReportText)->Unit(benchmark::kMicrosecond);

void BM_BaziRenderedReport(benchmark::State& state) {
    varrow::RichText doc;
    varrow::CBaZimp engine(doc);
    engine.SetProgramDir("/nonexistent");
    varrow::ChartRequest request;
    for (auto _ : state) {
        bool ok = engine.MakeChart(request);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_BaziRenderedReport)->Unit(benchmark::kMicrosecond);

} // namespace
