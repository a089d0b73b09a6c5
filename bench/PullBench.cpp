// The pull as the tick runs it, through GroupExchange::PullGroups over a folder location: the
// group file is fetched by a plain copy, loaded, merged into the working list and the working list
// is saved. The group file and the working list hold N messages each; the group file, as another
// member left it, has 1 % deleted, 5 % edited and 1 % new messages.

#include "BenchSizes.h"
#include "MessageGenerator.h"

#include "Clock.h"
#include "GroupExchange.h"
#include "TransferCenter.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

TBWItemList SharedCopy(const TBWItemList& working)
{
    TBWItemList shared;
    for (std::size_t i = 0; i < working.size(); ++i) {
        if (i % 100 == 17) {
            continue;
        }
        auto copy = std::make_unique<TBWItem>();
        copy->Assign(*working[i]);
        if (i % 20 == 3) {
            copy->Title += " (moved)";
            copy->DueTime += 1.0 / 24;
        }
        shared.push_back(std::move(copy));
    }
    TBWItemList added = MakeMessages(working.size() / 100, 7);
    for (auto& item : added) {
        item->Id = -item->Id;
        shared.push_back(std::move(item));
    }
    return shared;
}

void BM_PullGroups(benchmark::State& state)
{
    // The files go where BW_BENCH_DIR says, else to the temporary folder.
    const char* folder = std::getenv("BW_BENCH_DIR");
    const fs::path base = folder != nullptr ? folder : fs::temp_directory_path();
    const QTemporaryDir home(QString::fromStdString((base / "bellwick-pull-XXXXXX").string()));
    const fs::path root = home.path().toStdString();
    const fs::path dataFolder = root / "data";
    fs::create_directories(dataFolder / "BWLists");
    fs::create_directories(dataFolder / "BWELists");
    fs::create_directories(root / "share");

    const TBWItemList working = MakeMessages(static_cast<std::size_t>(state.range(0)));
    auto group = std::make_unique<TBWListLocation>();
    group->Name = "Sales";
    group->Location = (root / "share" / "sales.dat").string();
    group->Password = "sales pw";
    group->Enabled = true;
    group->DetectLocationKind();
    SaveItemList(SharedCopy(working), group->Location, group->Password);

    TBWGroupList groups;
    groups.push_back(std::move(group));
    TBWGroupItemLists itemLists;
    TBWItemList& list = itemLists.Add("Sales", std::make_unique<TBWItemList>());
    FakeClock clock(BenchMoment() + 1.0 / 1440);
    TransferCenter transfers(QString::fromStdString(dataFolder.string()));
    GroupExchange exchange(groups, itemLists, dataFolder, transfers, clock);

    for (auto _ : state) {
        state.PauseTiming();
        list = CopyMessages(working);
        state.ResumeTiming();
        const ExchangeReport report = exchange.PullGroups();
        if (!report.Problems.empty() || list.size() != working.size()) {
            state.SkipWithError("the pull did not merge the group file");
            break;
        }
        state.PauseTiming();
        list.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_PullGroups)->Apply(ListSizes);

} // namespace

int main(int argc, char** argv)
{
    // The exchange's wait handles events; plain copies end before it, but it needs an application.
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
