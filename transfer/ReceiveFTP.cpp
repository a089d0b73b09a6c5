#include "ReceiveFTP.h"

#include "CurlSession.h"
#include "DownloadTarget.h"
#include "FtpOptions.h"
#include "TransferNotice.h"

int ReceiveFTP::StartNotice() const
{
    return DownloadStarted;
}

int ReceiveFTP::Body()
{
    FtpOptions ftp(SplitFtpAddress(Address), FtpUser, FtpPassword);
    if (!ftp.IsUsable()) {
        return TransferFailed;
    }
    DownloadTarget target(LocalFile);
    if (!target.Open()) {
        return TransferFailed;
    }
    CurlSession session(Settings(), Cancellation());
    if (!session.IsValid()) {
        return TransferFailed;
    }
    ftp.Apply(session);
    curl_easy_setopt(session.Easy(), CURLOPT_WRITEFUNCTION, DownloadTarget::WriteCallback);
    curl_easy_setopt(session.Easy(), CURLOPT_WRITEDATA, &target);
    const CURLcode result = session.Perform();
    if (result != CURLE_OK) {
        // 550 to SIZE or RETR: the server says there is no such file.
        if (result == CURLE_REMOTE_FILE_NOT_FOUND) {
            NoteSourceMissing();
        }
        target.Discard();
        return TransferFailed;
    }
    return target.Commit() ? DownloadDone : TransferFailed;
}
