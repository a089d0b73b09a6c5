#pragma once

#include "TransferWorker.h"

// Downloads a group file from an HTTP or HTTPS address into the group's local copy. Only a
// complete answer with a 2xx status replaces the local copy; an error page never does.
class ReceiveHTTP : public TransferWorker
{
public:
    using TransferWorker::TransferWorker;

    [[nodiscard]] int StartNotice() const override;

protected:
    [[nodiscard]] int Body() override;
};
