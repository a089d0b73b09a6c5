#pragma once

#include <benchmark/benchmark.h>

// Every list benchmark runs at the same three list sizes, timed by the wall clock: saves wait for
// the disk, and that wait is part of what a user feels.
inline void ListSizes(benchmark::internal::Benchmark* bench)
{
    bench->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
}
