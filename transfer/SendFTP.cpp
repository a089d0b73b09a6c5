#include "SendFTP.h"

#include "CurlSession.h"
#include "FtpOptions.h"
#include "TransferNotice.h"

#include <QFile>

namespace {
std::size_t ReadCallback(char* buffer, std::size_t size, std::size_t count, void* userData)
{
    auto* file = static_cast<QFile*>(userData);
    const qint64 read = file->read(buffer, static_cast<qint64>(size * count));
    return read < 0 ? CURL_READFUNC_ABORT : static_cast<std::size_t>(read);
}
} // namespace

int SendFTP::StartNotice() const
{
    return UploadStarted;
}

int SendFTP::Body()
{
    FtpOptions ftp(SplitFtpAddress(Address), FtpUser, FtpPassword);
    if (!ftp.IsUsable()) {
        return TransferFailed;
    }
    QFile file(QFile::decodeName(QByteArray::fromStdString(LocalFile)));
    if (!file.open(QIODevice::ReadOnly)) {
        return TransferFailed;
    }
    CurlSession session(Settings(), Cancellation());
    if (!session.IsValid()) {
        return TransferFailed;
    }
    ftp.Apply(session);
    CURL* easy = session.Easy();
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, ReadCallback);
    curl_easy_setopt(easy, CURLOPT_READDATA, &file);
    curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(file.size()));
    return session.Perform() == CURLE_OK ? UploadDone : TransferFailed;
}
