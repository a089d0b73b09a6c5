// The pull as the tick runs it, through GroupExchange::PullGroups over a folder location: the
// group file is fetched by a plain copy, loaded, merged into the working list and the working list
// is saved. The group file and the working list hold N messages each; the group file, as another
// member left it, has 1 % deleted, 5 % edited and 1 % new messages. The second case pulls the same
// group file again, as most minutes do.

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
#include <memory>

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

// One enabled group on a folder location, its shared file as another member left it, and an
// empty working list.
struct PullSetup
{
    explicit PullSetup(std::size_t count)
        : home(QString::fromStdString((BaseFolder() / "bellwick-pull-XXXXXX").string())),
          root(home.path().toStdString()), working(MakeMessages(count)), clock(BenchMoment() + 1.0 / 1440),
          transfers(QString::fromStdString((root / "data").string()))
    {
        const fs::path dataFolder = root / "data";
        fs::create_directories(dataFolder / "BWLists");
        fs::create_directories(dataFolder / "BWELists");
        fs::create_directories(root / "share");
        auto group = std::make_unique<TBWListLocation>();
        group->Name = "Sales";
        group->Location = (root / "share" / "sales.dat").string();
        group->Password = "sales pw";
        group->Enabled = true;
        group->DetectLocationKind();
        SaveItemList(SharedCopy(working), group->Location, group->Password);
        groups.push_back(std::move(group));
        list = &itemLists.Add("Sales", std::make_unique<TBWItemList>());
        exchange = std::make_unique<GroupExchange>(groups, itemLists, dataFolder, transfers, clock);
    }

    // The files go where BW_BENCH_DIR says, else to the temporary folder.
    static fs::path BaseFolder()
    {
        const char* folder = std::getenv("BW_BENCH_DIR");
        return folder != nullptr ? fs::path(folder) : fs::temp_directory_path();
    }

    bool Pull(benchmark::State& state)
    {
        const ExchangeReport report = exchange->PullGroups();
        if (!report.Problems.empty() || list->size() != working.size()) {
            state.SkipWithError("the pull did not merge the group file");
            return false;
        }
        return true;
    }

    QTemporaryDir home;
    fs::path root;
    TBWItemList working;
    FakeClock clock;
    TransferCenter transfers;
    TBWGroupList groups;
    TBWGroupItemLists itemLists;
    TBWItemList* list = nullptr;
    std::unique_ptr<GroupExchange> exchange;
};

// The group file brings changes and the working list has moved on: the working list is written.
void BM_PullGroups(benchmark::State& state)
{
    PullSetup setup(static_cast<std::size_t>(state.range(0)));
    double progress = 0;
    for (auto _ : state) {
        state.PauseTiming();
        *setup.list = CopyMessages(setup.working);
        // Delivery progress of its own makes every merge's result differ from the one saved before.
        setup.list->front()->LastDueTime = --progress;
        state.ResumeTiming();
        if (!setup.Pull(state)) {
            break;
        }
        state.PauseTiming();
        setup.list->clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_PullGroups)->Apply(ListSizes);

// Most minutes: the group file is the one merged a minute ago, and the working list stays as saved.
void BM_PullUnchanged(benchmark::State& state)
{
    PullSetup setup(static_cast<std::size_t>(state.range(0)));
    *setup.list = CopyMessages(setup.working);
    if (!setup.Pull(state)) {
        return;
    }
    for (auto _ : state) {
        if (!setup.Pull(state)) {
            break;
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_PullUnchanged)->Apply(ListSizes);

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
