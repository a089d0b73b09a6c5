#include "AtomicFileWriter.h"

#include "BWError.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Quoted(const std::filesystem::path& fileName)
{
    return "\"" + fileName.string() + "\"";
}

std::filesystem::path FolderOf(const std::filesystem::path& fileName)
{
    return fileName.has_parent_path() ? fileName.parent_path() : std::filesystem::path(".");
}

// A fresh name beside the target; several threads may write files in one folder at once.
std::string TemporaryName(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937 random{std::random_device{}()};
    return (FolderOf(target) / ("." + target.filename().string() + "." + std::to_string(random() % 1000000) + "-" +
                                std::to_string(counter++) + ".tmp"))
        .string();
}

bool IsTemporaryName(const std::string& name)
{
    // "." + target name + "." + digits + "-" + digits + ".tmp", as TemporaryName makes them.
    if (name.size() < 8 || name.front() != '.' || !name.ends_with(".tmp")) {
        return false;
    }
    const std::string middle = name.substr(0, name.size() - 4);
    const std::size_t dash = middle.rfind('-');
    const std::size_t dot = middle.rfind('.', dash);
    if (dash == std::string::npos || dot == std::string::npos || dot == 0 || dash == dot + 1 ||
        dash + 1 == middle.size()) {
        return false;
    }
    const auto digits = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            if (middle[i] < '0' || middle[i] > '9') {
                return false;
            }
        }
        return true;
    };
    return digits(dot + 1, dash) && digits(dash + 1, middle.size());
}

// Reads exactly size bytes at offset; false on an error or an early end of the file.
bool ReadFully(int fd, char* buffer, std::size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t got = ::pread(fd, buffer, size, offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        buffer += got;
        size -= static_cast<std::size_t>(got);
        offset += got;
    }
    return true;
}

} // namespace

int AtomicFileWriter::RemoveLeftovers(const std::filesystem::path& folder)
{
    int removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error) && IsTemporaryName(entry.path().filename().string()) &&
            std::filesystem::remove(entry.path(), error)) {
            ++removed;
        }
    }
    return removed;
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target, NewFile newFile) : m_target(std::move(target))
{
    struct stat existing
    {};
    const bool replaces = ::stat(m_target.c_str(), &existing) == 0;
    // Shared files are created like any other file (the user's umask applies); private ones 0600.
    const mode_t mode = newFile == NewFile::Shared ? 0666 : 0600;
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temporary = TemporaryName(m_target);
        // Read and write: CommitUnlessSame reads the bytes back to compare them.
        m_fd = ::open(m_temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (m_fd < 0) {
        throw EBWError("Cannot create file " + Quoted(m_target) + ". " + std::strerror(errno));
    }
    if (replaces && newFile != NewFile::Private) {
        ::fchmod(m_fd, existing.st_mode & 07777);
    }
}

AtomicFileWriter::~AtomicFileWriter()
{
    Discard();
}

void AtomicFileWriter::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        ::unlink(m_temporary.c_str());
    }
}

void AtomicFileWriter::Fail(const std::string& what, int error)
{
    Discard();
    throw EBWError(what + Quoted(m_target) + ". " + std::strerror(error));
}

void AtomicFileWriter::Write(std::string_view bytes)
{
    if (m_fd < 0) {
        throw EBWError("Stream write error on file " + Quoted(m_target) + ".");
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail("Stream write error on file ", errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        m_size += static_cast<std::size_t>(written);
    }
    StartWriteBack();
}

// A large file written in pieces is sent towards the disk while the next pieces are being made, so
// that the flush in Commit waits only for the last of it instead of for the whole file.
void AtomicFileWriter::StartWriteBack()
{
#if defined(__linux__)
    constexpr std::size_t Batch = std::size_t{1024} * 1024;
    if (m_size - m_writeBackFrom >= Batch) {
        // Only a hint: whatever fails here, the flush in Commit finds and reports.
        ::sync_file_range(m_fd, static_cast<off_t>(m_writeBackFrom), static_cast<off_t>(m_size - m_writeBackFrom),
                          SYNC_FILE_RANGE_WRITE);
        m_writeBackFrom = m_size;
    }
#endif
}

void AtomicFileWriter::WriteAt(std::size_t offset, std::string_view bytes)
{
    if (m_fd < 0) {
        throw EBWError("Stream write error on file " + Quoted(m_target) + ".");
    }
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(m_fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail("Stream write error on file ", errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += static_cast<std::size_t>(written);
    }
}

bool AtomicFileWriter::CommitUnlessSame()
{
    if (m_fd >= 0 && TargetHoldsTheSameBytes()) {
        Discard();
        return false;
    }
    Commit();
    return true;
}

// Any doubt (a read error, a target that is no regular file) counts as different: the target is
// then replaced as by Commit.
bool AtomicFileWriter::TargetHoldsTheSameBytes() const
{
    struct stat written
    {};
    struct stat target
    {};
    if (::fstat(m_fd, &written) != 0 || ::stat(m_target.c_str(), &target) != 0 || !S_ISREG(target.st_mode) ||
        written.st_size != target.st_size) {
        return false;
    }
    const int fd = ::open(m_target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    constexpr std::size_t Piece = std::size_t{64} * 1024;
    const auto mine = std::make_unique<char[]>(Piece);
    const auto theirs = std::make_unique<char[]>(Piece);
    bool same = true;
    for (off_t offset = 0; same && offset < written.st_size;) {
        const auto part = static_cast<std::size_t>(std::min<off_t>(Piece, written.st_size - offset));
        same = ReadFully(m_fd, mine.get(), part, offset) && ReadFully(fd, theirs.get(), part, offset) &&
               std::memcmp(mine.get(), theirs.get(), part) == 0;
        offset += static_cast<off_t>(part);
    }
    ::close(fd);
    return same;
}

void AtomicFileWriter::Commit()
{
    if (m_fd < 0) {
        throw EBWError("Cannot save file " + Quoted(m_target) + ".");
    }
    // A failed flush means the data may not be on disk: the save has failed; never retry it.
    if (::fsync(m_fd) != 0) {
        Fail("Cannot save file ", errno);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(m_temporary.c_str());
        throw EBWError("Cannot save file " + Quoted(m_target) + ". " + std::strerror(error));
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        const int error = errno;
        ::unlink(m_temporary.c_str());
        throw EBWError("Cannot create file " + Quoted(m_target) + ". " + std::strerror(error));
    }
    // The rename itself is durable only once the folder is flushed.
    const int folder = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}
