#pragma once

#include "AtomicFileWriter.h"

#include <cstddef>
#include <memory>
#include <string>

// Where a download streams its bytes: a temporary file beside the local copy that replaces the
// local copy only on Commit(), and only if the bytes differ. A failed, cut or cancelled download
// thus leaves the previous local copy exactly as it was.
class DownloadTarget
{
public:
    explicit DownloadTarget(const std::string& localFile);

    [[nodiscard]] bool Open();
    [[nodiscard]] bool Write(const char* data, std::size_t size);
    [[nodiscard]] bool Commit();
    // Drops the temporary file; the destructor does the same for a target never committed.
    void Discard();

    // libcurl write callback; userData is the DownloadTarget. A short count aborts the transfer.
    static std::size_t WriteCallback(char* data, std::size_t size, std::size_t count, void* userData);

private:
    std::string m_localFile;
    std::unique_ptr<AtomicFileWriter> m_writer;
};
