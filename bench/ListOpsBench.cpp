// The two list operations the program runs all day: merging a fetched group file into the local
// copy, and the due scan.

#include "BenchSizes.h"
#include "MessageGenerator.h"

#include "ItemList.h"

#include <benchmark/benchmark.h>

namespace {

// A group file as fetched a minute later: one message in a hundred deleted, one in twenty edited,
// and one new message for every hundred.
TBWItemList FetchedCopy(const TBWItemList& local)
{
    TBWItemList fetched;
    fetched.reserve(local.size() + local.size() / 100);
    for (std::size_t i = 0; i < local.size(); ++i) {
        if (i % 100 == 17) {
            continue;
        }
        auto copy = std::make_unique<TBWItem>();
        copy->Assign(*local[i]);
        if (i % 20 == 3) {
            copy->Title += " (moved)";
            copy->DueTime += 1.0 / 24;
        }
        fetched.push_back(std::move(copy));
    }
    TBWItemList added = MakeMessages(local.size() / 100, 7);
    for (auto& item : added) {
        // The generator's ids are unique within one list; keep the new ones apart from the old.
        item->Id = -item->Id;
        fetched.push_back(std::move(item));
    }
    return fetched;
}

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
