#pragma once

#include "DataFolderLayout.h"
#include "GroupFileService.h"

#include <filesystem>

class TransferCenter;

// The groups dialog's fetch and the creation of a group file over the program's transfers, each a
// task in the group's line. A fetch is Absent only when the location said there is no group file;
// any other failure is Failed, so that the dialog never creates a file where one may exist. The
// creation itself runs under the group's lock and never replaces a file that is there.
class TransferGroupFileService : public GroupFileService
{
public:
    TransferGroupFileService(TransferCenter& transfers, std::filesystem::path dataFolder);

    FetchOutcome FetchGroupFile(const TBWListLocation& group) override;
    void UploadGroupFile(const TBWListLocation& group) override;
    [[nodiscard]] LocationHabits Habits(const TBWListLocation& group) const override;
    [[nodiscard]] std::filesystem::path LocalCopyPath(const TBWListLocation& group) const override;
    [[nodiscard]] FetchReport LastFetchReport() const override { return m_lastReport; }
    bool TrustServerKey(std::string& error) override;

private:
    TransferCenter& m_transfers;
    DataFolderLayout m_dataFolder;
    FetchReport m_lastReport;
};
