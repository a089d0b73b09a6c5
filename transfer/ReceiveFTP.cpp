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
    if (session.Perform() != CURLE_OK) {
        target.Discard();
        return TransferFailed;
    }
    return target.Commit() ? DownloadDone : TransferFailed;
}
