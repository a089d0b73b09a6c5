#pragma once

// The codes a transfer worker reports with. Every worker posts one start code and then one final
// code; 2 is not used.
enum TransferNotice : int
{
    DownloadStarted = 0,
    DownloadDone = 1,
    TransferFailed = 3,
    UploadStarted = 4,
    UploadDone = 5,
};

[[nodiscard]] constexpr bool IsStartNotice(int code)
{
    return code == DownloadStarted || code == UploadStarted;
}

[[nodiscard]] constexpr bool IsFinalNotice(int code)
{
    return code == DownloadDone || code == TransferFailed || code == UploadDone;
}
