#pragma once

#include "TransferOutcome.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class GroupTask;
class TBWListLocation;
class TransferCenter;

// One caller's set of transfers: the groups it moves, the wait for just those, and how each
// group's transfer ended. Made by TransferCenter::NewBatch() and used on the main thread.
// Destroying the batch forgets the outcomes; transfers still running go on to their end.
class TransferBatch
{
public:
    ~TransferBatch();
    TransferBatch(TransferBatch&& other) noexcept;
    TransferBatch(const TransferBatch&) = delete;
    TransferBatch& operator=(const TransferBatch&) = delete;
    TransferBatch& operator=(TransferBatch&&) = delete;

    // Moves the group file between its location and the local copy, by the group's location kind:
    // a plain copy at once (kind 0), an FTP transfer (1), an HTTP download (2; an upload there is
    // not needed). Returns false when the transfer was refused or a plain copy failed.
    bool UploadGroupFile(const TBWListLocation& group);
    bool DownloadGroupFile(const TBWListLocation& group);
    // Runs a group task (TransferCenter::RunGroupTask) as part of this batch; its outcome counts
    // for the task's group.
    bool RunGroupTask(std::shared_ptr<GroupTask> task, std::function<void()> whenDone = {});

    // Lets this batch's transfers finish, at most TransferSettings::WaitLimit, while the main
    // thread's events (timers, input, painting, notices) go on being handled. Returns whether
    // every transfer of the batch has ended. Other batches' transfers neither end nor prolong
    // it; but a wait started by a handler inside this one runs on this one's stack, so this one
    // returns only after that one has.
    bool WaitForTransfers();

    [[nodiscard]] bool IsFinished() const;
    [[nodiscard]] TransferOutcome Outcome(const std::string& groupName) const;

private:
    friend class TransferCenter;
    TransferBatch(TransferCenter& center, std::uint64_t id);

    QPointer<TransferCenter> m_center;
    std::uint64_t m_id;
};
