#pragma once

#include "TransferWorker.h"

// Uploads a group's local copy to its FTP location.
class SendFTP : public TransferWorker
{
public:
    using TransferWorker::TransferWorker;

    std::string FtpUser;
    std::string FtpPassword;

    [[nodiscard]] int StartNotice() const override;

protected:
    [[nodiscard]] int Body() override;
};
