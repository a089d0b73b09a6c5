#include "DownloadTarget.h"

#include <QFile>

DownloadTarget::DownloadTarget(const std::string& localFile)
    : m_file(QFile::decodeName(QByteArray::fromStdString(localFile)))
{
    // Writing in place would defeat the point when the folder forbids a new file.
    m_file.setDirectWriteFallback(false);
}

bool DownloadTarget::Open()
{
    return m_file.open(QIODevice::WriteOnly);
}

bool DownloadTarget::Write(const char* data, std::size_t size)
{
    return m_file.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
}

bool DownloadTarget::Commit()
{
    return m_file.commit();
}

void DownloadTarget::Discard()
{
    m_file.cancelWriting();
    m_file.commit();
}

std::size_t DownloadTarget::WriteCallback(char* data, std::size_t size, std::size_t count, void* userData)
{
    auto* target = static_cast<DownloadTarget*>(userData);
    const std::size_t bytes = size * count;
    return target->Write(data, bytes) ? bytes : 0;
}
