#include "DownloadTarget.h"

#include "BWError.h"

DownloadTarget::DownloadTarget(const std::string& localFile) : m_localFile(localFile) {}

bool DownloadTarget::Open()
{
    try {
        m_writer = std::make_unique<AtomicFileWriter>(m_localFile);
        return true;
    } catch (const EBWError&) {
        return false;
    }
}

bool DownloadTarget::Write(const char* data, std::size_t size)
{
    try {
        if (!m_writer) {
            return false;
        }
        m_writer->Write(std::string_view(data, size));
        return true;
    } catch (const EBWError&) {
        m_writer.reset();
        return false;
    }
}

bool DownloadTarget::Commit()
{
    try {
        if (!m_writer) {
            return false;
        }
        // The same file fetched again (most minutes) leaves the local copy untouched: no write, no flush.
        m_writer->CommitUnlessSame();
        m_writer.reset();
        return true;
    } catch (const EBWError&) {
        m_writer.reset();
        return false;
    }
}

void DownloadTarget::Discard()
{
    m_writer.reset();
}

std::size_t DownloadTarget::WriteCallback(char* data, std::size_t size, std::size_t count, void* userData)
{
    auto* target = static_cast<DownloadTarget*>(userData);
    const std::size_t bytes = size * count;
    return target->Write(data, bytes) ? bytes : 0;
}
