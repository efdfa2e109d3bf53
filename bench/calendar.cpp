// Calendar throughput: solar -> lunar plus the four pillars, over every day
// of the table years. Items are days.
#include <benchmark/benchmark.h>

#include "calendar/Yidate.h"

using namespace varrow;

static void SolarToLunarAndPillars_1900_2050(benchmark::State& state) {
    const double first = CYiDate::ToJulianDay(SolarDate{1900, 1, 31, 10, 30});
    const double last = CYiDate::ToJulianDay(SolarDate{2050, 12, 31, 10, 30});
    for (auto _ : state) {
        for (double jd = first; jd <= last; jd += 1) {
            SolarDate d = CYiDate::FromJulianDay(jd);
            LunarDate l;
            CYiDate::SolarToLunar(d, l);
            PillarResult p = CYiDate::Pillars(d, jd, d, false);
            benchmark::DoNotOptimize(l);
            benchmark::DoNotOptimize(p);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(last - first + 1));
}
BENCHMARK(SolarToLunarAndPillars_1900_2050)->Unit(benchmark::kMillisecond);

static void TrueSolarTime(benchmark::State& state) {
    SolarDate d{1990, 1, 1, 23, 30};
    for (auto _ : state) {
        SolarDate t = d;
        CYiDate::ToTrueSolarTime(116.4667f, t);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(TrueSolarTime);
