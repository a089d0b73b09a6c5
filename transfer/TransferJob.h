#pragma once

#include "TransferWorker.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// One transfer the center has accepted: a worker for the network, or a plain copy that runs on
// the main thread when its turn comes.
struct TransferJob
{
    std::uint64_t Id = 0;
    std::uint64_t BatchId = 0; // 0: not part of a batch
    std::string GroupName;
    std::string LocalFile; // transfers of one local copy run one after the other
    bool IsUpload = false;
    bool Started = false;
    std::unique_ptr<TransferWorker> Worker; // null for a plain copy
    std::string CopySource;
    std::string CopyTarget;
    // Called on the main thread once the transfer has ended and its notice was handled.
    std::function<void()> WhenDone;
};
