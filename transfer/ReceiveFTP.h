#pragma once

#include "TransferWorker.h"

// Downloads a group file from its FTP location into the group's local copy.
class ReceiveFTP : public TransferWorker
{
public:
    using TransferWorker::TransferWorker;

    std::string FtpUser;
    std::string FtpPassword;

    [[nodiscard]] int StartNotice() const override;

protected:
    [[nodiscard]] int Body() override;
};
