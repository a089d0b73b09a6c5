#pragma once

#include "ItemList.h"

#include <cstddef>
#include <cstdint>

// Realistic message lists for the benchmarks: a mix of one-time and repeating messages, weekday
// limits, titles and texts of everyday lengths, some multi-line texts and some recipients. The
// lists are in the state a running program keeps them in: repeating messages advanced past the
// moment, past one-time messages already taken.

// The moment the generated lists are settled at (a Monday morning).
[[nodiscard]] double BenchMoment();

// The same count and seed always give the same list.
[[nodiscard]] TBWItemList MakeMessages(std::size_t count, std::uint32_t seed = 1);

// A deep copy (the merge benchmark needs a fresh target for every run).
[[nodiscard]] TBWItemList CopyMessages(const TBWItemList& list);

// The group file as fetched a minute later: one message in a hundred deleted, one in twenty
// edited, and one new message for every hundred.
[[nodiscard]] TBWItemList FetchedCopy(const TBWItemList& local);
