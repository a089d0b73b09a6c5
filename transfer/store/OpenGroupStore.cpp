#include "OpenGroupStore.h"

#include "FolderStore.h"
#include "FtpStore.h"
#include "HttpStore.h"
#include "TBWListLocation.h"

std::unique_ptr<GroupStore> OpenGroupStore(const TBWListLocation& group, const TransferSettings& settings,
                                           CancelSignal& cancel)
{
    switch (group.LocationKind) {
    case LocationFile:
        return std::make_unique<FolderStore>(group.Location, settings.SizeLimit);
    case LocationFtp:
        return std::make_unique<FtpStore>(group.Location, group.FtpUser, group.FtpPassword, settings, cancel);
    case LocationHttp:
        return std::make_unique<HttpStore>(group.Location, settings, cancel);
    default:
        return nullptr;
    }
}
