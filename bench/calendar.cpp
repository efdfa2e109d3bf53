// Calendar throughput: solar -> lunar plus the four pillars, over every day
// of the table years. Items are days.
#include <benchmark/benchmark.h>

#include <vector>

#include "calendar/Yidate.h"

using namespace varrow;

static void SolarToLunarAndPillars_1900_2050(benchmark::State& state) {
    // The days themselves are made before timing: what is measured is the
    // lunar date and the four pillars of a given moment.
    std::vector<SolarDate> days;
    const double first = CYiDate::ToJulianDay(SolarDate{1900, 1, 31, 10, 30});
    const double last = CYiDate::ToJulianDay(SolarDate{2050, 12, 31, 10, 30});
    for (double jd = first; jd <= last; jd += 1) days.push_back(CYiDate::FromJulianDay(jd));
    for (auto _ : state) {
        for (const SolarDate& d : days) {
            LunarDate l;
            CYiDate::SolarToLunar(d, l);
            PillarResult p = CYiDate::Pillars(d, CYiDate::ToJulianDay(d), d, false);
            benchmark::DoNotOptimize(l);
            benchmark::DoNotOptimize(p);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(days.size()));
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

static void FromJulianDayEveryDay(benchmark::State& state) {
    const double first = CYiDate::ToJulianDay(SolarDate{1900, 1, 31, 10, 30});
    for (auto _ : state)
        for (int i = 0; i < 55122; ++i) benchmark::DoNotOptimize(CYiDate::FromJulianDay(first + i));
    state.SetItemsProcessed(state.iterations() * 55122);
}
BENCHMARK(FromJulianDayEveryDay)->Unit(benchmark::kMillisecond);
