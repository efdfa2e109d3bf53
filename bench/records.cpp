// The record store: adding records one by one, reading them by id, and a
// search over a full store.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "records/Database.h"

namespace fs = std::filesystem;
using namespace varrow;

namespace {

fs::path freshHome() {
    std::string tmpl = (fs::temp_directory_path() / "varrow-bench-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    return tmpl;
}

RecordImage sample(int i) {
    RecordImage r;
    setFixed(r.name, i % 7 == 0 ? "张三" : "李四");
    setFixed(r.category, "临时保存");
    setFixed(r.remark, "备注:\r\n一条用于测速的记录");
    r.year = static_cast<std::int16_t>(1900 + i % 150);
    r.month = 1;
    r.day = 1;
    r.isMale = i % 2;
    return r;
}

// A store of n records, made once per size.
const fs::path& filledHome(int n) {
    static std::map<int, fs::path> homes;
    auto [it, fresh] = homes.try_emplace(n);
    if (fresh) {
        it->second = freshHome();
        MDataBase db;
        db.open(it->second, ChartKind::Bazi);
        for (int i = 0; i < n; ++i) db.add(sample(i));
    }
    return it->second;
}

void BM_Add100k(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        fs::path home = freshHome();
        MDataBase db;
        db.open(home, ChartKind::Bazi);
        RecordImage r = sample(1);
        state.ResumeTiming();
        for (int i = 0; i < 100000; ++i) benchmark::DoNotOptimize(db.add(r));
        state.PauseTiming();
        fs::remove_all(home);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_Add100k)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReadById(benchmark::State& state) {
    MDataBase db;
    db.open(filledHome(100000), ChartKind::Bazi);
    RecordImage r;
    std::int32_t id = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.read(id, r));
        id = (id + 7919) % 100000;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadById)->Unit(benchmark::kMicrosecond);

void BM_Search100k(benchmark::State& state) {
    MDataBase db;
    db.open(filledHome(100000), ChartKind::Bazi);
    SearchCriteria c;
    c.name = "张";
    c.nameMode = SearchCriteria::Contains;
    c.yearTest = true;
    c.yearFrom = 1950;
    c.yearTo = 2000;
    std::vector<std::int32_t> ids;
    for (auto _ : state) {
        db.search(c, ids);
        benchmark::DoNotOptimize(ids.data());
    }
    state.counters["found"] = static_cast<double>(ids.size());
}
BENCHMARK(BM_Search100k)->Unit(benchmark::kMillisecond);

} // namespace
