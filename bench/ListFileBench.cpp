// Saving and loading whole message list files, and the same two steps without the file system.

#include "BenchSizes.h"
#include "MessageGenerator.h"

#include "Container.h"
#include "ItemList.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <utility>

namespace {

// The list files go where BW_BENCH_DIR says, else to the temporary folder.
std::filesystem::path BenchFile(const std::string& name)
{
    const char* folder = std::getenv("BW_BENCH_DIR");
    const std::filesystem::path base = folder != nullptr ? folder : std::filesystem::temp_directory_path();
    static const std::string tag = std::to_string(std::random_device{}());
    return base / ("bellwick-bench-" + tag + "-" + name);
}

void BM_SaveItemList(benchmark::State& state)
{
    const TBWItemList list = MakeMessages(static_cast<std::size_t>(state.range(0)));
    const std::filesystem::path file = BenchFile("save.dat");
    for (auto _ : state) {
        SaveItemList(list, file, PersonalListPassword);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
    std::filesystem::remove(file);
}
BENCHMARK(BM_SaveItemList)->Apply(ListSizes);

void BM_LoadItemList(benchmark::State& state)
{
    const std::filesystem::path file = BenchFile("load.dat");
    SaveItemList(MakeMessages(static_cast<std::size_t>(state.range(0))), file, PersonalListPassword);
    TBWItemList list;
    for (auto _ : state) {
        // Freeing the list loaded before is not part of a load.
        state.PauseTiming();
        list.clear();
        state.ResumeTiming();
        const int result = LoadItemList(list, file, PersonalListPassword);
        if (result != LoadOk || list.size() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("the list did not load back");
            break;
        }
        benchmark::DoNotOptimize(list.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadItemList)->Apply(ListSizes);

// Text and container in memory: the save without its file write.
void BM_EncodeItemList(benchmark::State& state)
{
    const TBWItemList list = MakeMessages(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string bytes(ContainerHeaderSize, '\0');
        AppendItemListText(list, bytes);
        SealContainer(bytes, ItemListLineCount(list), PersonalListPassword);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_EncodeItemList)->Apply(ListSizes);

// Container and records from memory: the load without its file read.
void BM_DecodeItemList(benchmark::State& state)
{
    const TBWItemList saved = MakeMessages(static_cast<std::size_t>(state.range(0)));
    std::string bytes(ContainerHeaderSize, '\0');
    AppendItemListText(saved, bytes);
    SealContainer(bytes, ItemListLineCount(saved), PersonalListPassword);
    TBWItemList list;
    for (auto _ : state) {
        // A load reads the file into a buffer of its own and deciphers that; the copy stands for the read.
        state.PauseTiming();
        std::string buffer = bytes;
        list.clear();
        state.ResumeTiming();
        ItemListFromText(list, OpenContainer(buffer, PersonalListPassword).Text);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_DecodeItemList)->Apply(ListSizes);

} // namespace
