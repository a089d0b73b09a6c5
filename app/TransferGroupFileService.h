#pragma once

#include "GroupFileService.h"

#include <filesystem>

class TransferCenter;

// The groups dialog's fetch and upload over the program's transfers. A fetch is Absent only when
// the location said there is no group file; any other failure is Failed, so that the dialog never
// sends an empty file over one that may exist.
class TransferGroupFileService : public GroupFileService
{
public:
    TransferGroupFileService(TransferCenter& transfers, std::filesystem::path dataFolder);

    FetchOutcome FetchGroupFile(const TBWListLocation& group) override;
    void UploadGroupFile(const TBWListLocation& group) override;
    [[nodiscard]] std::filesystem::path LocalCopyPath(const TBWListLocation& group) const override;

private:
    TransferCenter& m_transfers;
    std::filesystem::path m_dataFolder;
};
