// Solar -> lunar conversion of the computed calendar over every day of
// -849..1899, the years outside the tables before them.
#include <benchmark/benchmark.h>

#include <vector>

#include "calendar/Yidate.h"

namespace {

using varrow::CYiDate;
using varrow::LunarDate;
using varrow::SolarDate;

const std::vector<SolarDate>& historicDays() {
    static const std::vector<SolarDate> days = [] {
        std::vector<SolarDate> v;
        for (SolarDate d{-849, 1, 1, 12, 0}; d.year < CYiDate::kTableFirstYear; CYiDate::NextDay(d))
            v.push_back(d);
        return v;
    }();
    return days;
}

void SolarToLunarHistoric(benchmark::State& state) {
    const auto& days = historicDays();
    for (auto _ : state) {
        for (const SolarDate& d : days) {
            LunarDate l;
            benchmark::DoNotOptimize(CYiDate::SolarToLunar(d, l));
            benchmark::DoNotOptimize(l);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * days.size()));
    state.counters["ns_per_day"] =
        benchmark::Counter(static_cast<double>(state.iterations() * days.size()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(SolarToLunarHistoric)->Unit(benchmark::kMillisecond);

} // namespace
