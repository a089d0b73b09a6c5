#pragma once

#include "ItemList.h"
#include "ListFiles.h"

#include <cstdint>
#include <optional>
#include <vector>

// The reminders the user put off with "Remind me later", kept in "bwpostponed.dat" beside the
// personal list so that a logout or a restart does not lose them. Each is a copy of the message as
// its pop-up shows it, with DueTime the moment it comes back; the file is written whenever the set
// changes. A reminder stays here from its first postponement until the user closes it for good,
// also while it is shown again, since the program may end before the user has seen it.
class PostponedReminders
{
public:
    // Identifies one pop-up: the same message may be put off twice (two occurrences of it).
    using Key = std::uint64_t;

    explicit PostponedReminders(ListFiles files);

    // The reminders the last run kept, for their pop-ups to be put back, each under a key of its own
    // (Put); those whose moment has passed come back at once.
    [[nodiscard]] TBWItemList Load() const;
    // Notes (or moves) the moment the pop-up of the message comes back.
    void Put(Key key, const TBWItem& message, double comeBack);
    // The pop-up was closed for good.
    void Remove(Key key);

    // When the message's earliest reminder still waiting comes back, if one waits.
    [[nodiscard]] std::optional<double> WaitingUntil(std::int32_t id, double now) const;
    // The reminder waiting that comes back first (DueTime is the moment), or none.
    [[nodiscard]] const TBWItem* NextWaiting(double now) const;

private:
    [[nodiscard]] std::size_t Find(Key key) const;
    void Save() const;

    ListFiles m_files;
    std::vector<Key> m_keys;
    TBWItemList m_items;
};
