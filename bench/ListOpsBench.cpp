// The two list operations the program runs all day: merging a fetched group file into the local
// copy, and the due scan.

#include "BenchSizes.h"
#include "MessageGenerator.h"

#include "ItemList.h"

#include <benchmark/benchmark.h>

namespace {

void BM_MergeItemList(benchmark::State& state)
{
    const TBWItemList local = MakeMessages(static_cast<std::size_t>(state.range(0)));
    const TBWItemList fetched = FetchedCopy(local);
    const double now = BenchMoment() + 1.0 / 1440;
    for (auto _ : state) {
        state.PauseTiming();
        TBWItemList target = CopyMessages(local);
        state.ResumeTiming();
        MergeItemList(target, fetched, now);
        benchmark::DoNotOptimize(target.data());
        state.PauseTiming();
        target.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_MergeItemList)->Apply(ListSizes);

// One pass of the scheduler's due test over every message; each pass is five seconds after the
// one before, as the program's scans are.
void BM_DueScan(benchmark::State& state)
{
    TBWItemList list = MakeMessages(static_cast<std::size_t>(state.range(0)));
    double now = BenchMoment();
    std::int64_t delivered = 0;
    for (auto _ : state) {
        for (const auto& item : list) {
            delivered += item->CheckDue(now) ? 1 : 0;
        }
        now += 5.0 / 86400;
    }
    benchmark::DoNotOptimize(delivered);
    state.counters["delivered"] = static_cast<double>(delivered);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_DueScan)->Apply(ListSizes);

} // namespace
