#include "OpenGroupStore.h"

#include "FolderStore.h"
#include "FtpStore.h"
#include "HttpStore.h"
#include "SftpStore.h"
#include "TBWListLocation.h"

std::unique_ptr<GroupStore> OpenGroupStore(const TBWListLocation& group, const TransferSettings& settings,
                                           CancelSignal& cancel)
{
    const GroupOptions& options = group.Options;
    if (!options.Problem.empty()) {
        return nullptr;
    }
    TransferSettings own = settings;
    if (!options.CaFile.empty()) {
        own.CaFile = options.CaFile;
    }
    switch (group.LocationKind) {
    case LocationFile:
        return std::make_unique<FolderStore>(group.Location, settings.SizeLimit);
    case LocationFtp:
        return std::make_unique<FtpStore>(group.Location, group.FtpUser, group.FtpPassword, own, cancel, options);
    case LocationHttp:
        return std::make_unique<HttpStore>(
            group.Location, WebAccount{group.FtpUser, group.FtpPassword, options.PlainHttpLogin}, own, cancel);
    case LocationSftp:
        return std::make_unique<SftpStore>(group.Location, SshAccount{group.FtpUser, group.FtpPassword, options.SshKey},
                                           own, cancel);
    default:
        return nullptr;
    }
}

std::string WhyNoStore(const TBWListLocation& group)
{
    if (!group.Options.Problem.empty()) {
        return "the group's settings could not be read (" + group.Options.Problem +
               "); open the group in the groups dialog and check them";
    }
    return "the location is neither a file name nor an FTP, SFTP or web address";
}
