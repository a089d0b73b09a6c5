#pragma once

#include "GroupFetch.h"
#include "LockedPublish.h"
#include "TransferOutcome.h"
#include "TransferSettings.h"
#include "model/TBWListLocation.h"

#include <string>

class CancelSignal;

// What the program remembers of one group's location between the operations it runs there: the
// validator of the last fetch, what it saw of the group's lock, and what the location refused.
struct GroupMemory
{
    std::string Location; // what the rest was learnt at; another location starts afresh
    FetchMemory Fetch;
    PublishMemory Publish;
    bool Unlocked = false; // the location refused the lock folder at the last publish
};

// One operation on a group's location (a fetch, a publish, the creation of a group file), run on a
// worker thread in the group's line, so that two operations of one group never overlap. Its own
// result stays in the task for the main thread to read once the final notice has arrived.
class GroupTask
{
public:
    explicit GroupTask(const TBWListLocation& group) { m_group.Assign(group); }
    virtual ~GroupTask() = default;
    GroupTask(const GroupTask&) = delete;
    GroupTask& operator=(const GroupTask&) = delete;

    [[nodiscard]] const TBWListLocation& Group() const { return m_group; }
    // Whether the task writes to the location (for the notices and the activity text).
    [[nodiscard]] virtual bool IsUpload() const = 0;
    // On the worker thread, with the group's memory, which it may update.
    [[nodiscard]] virtual TransferOutcome Run(const TransferSettings& settings, CancelSignal& cancel,
                                              GroupMemory& memory) = 0;

private:
    TBWListLocation m_group;
};
