#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reads, crash-safe whole-file writes (see AtomicFileWriter) and appends.

[[nodiscard]] std::string ReadWholeFile(const std::filesystem::path& fileName);
// The same, but nothing when there is no such file or it is not a regular file (a folder).
[[nodiscard]] std::optional<std::string> ReadRegularFile(const std::filesystem::path& fileName);

// A regular file opened for reading piece by piece, for files too large to want a buffer of
// their own size.
class TFileReader
{
public:
    // Nothing when there is no such file or it is not a regular file (a folder); fails naming the
    // file when it cannot be opened.
    [[nodiscard]] static std::optional<TFileReader> OpenRegular(const std::filesystem::path& fileName);
    ~TFileReader();
    TFileReader(TFileReader&& other) noexcept;
    TFileReader& operator=(TFileReader&&) = delete;
    TFileReader(const TFileReader&) = delete;
    TFileReader& operator=(const TFileReader&) = delete;

    // The size when the file was opened.
    [[nodiscard]] std::size_t Size() const { return m_size; }
    // Fills the buffer; fails with "Stream read error" when the file ends first or cannot be read.
    void ReadExactly(char* buffer, std::size_t size);

private:
    TFileReader(int fd, std::size_t size) : m_fd(fd), m_size(size) {}

    int m_fd;
    std::size_t m_size;
};

void WriteFileAtomically(const std::filesystem::path& fileName, std::string_view bytes);
// The runtime's text for a failed file operation ("File access denied", "Disk full", ...).
[[nodiscard]] std::string IoErrorText(int error);

// Appends bytes, creating the file when missing (the log).
void AppendToFile(const std::filesystem::path& fileName, std::string_view bytes);
