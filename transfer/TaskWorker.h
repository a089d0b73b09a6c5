#pragma once

#include "GroupTask.h"
#include "TransferWorker.h"

#include <memory>

// Runs a group task on a thread of its own. The center hands it the group's memory before it starts
// and takes it back after the final notice.
class TaskWorker : public TransferWorker
{
public:
    TaskWorker(std::uint64_t transferId, QObject* noticeReceiver, TransferSettings settings,
               std::shared_ptr<GroupTask> task);

    [[nodiscard]] int StartNotice() const override;
    [[nodiscard]] GroupMemory& Memory() { return m_memory; }

protected:
    [[nodiscard]] int Body() override;

private:
    std::shared_ptr<GroupTask> m_task;
    GroupMemory m_memory;
};
