#include "FileSystem.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSystem {

namespace {

int Fd(std::intptr_t handle)
{
    return static_cast<int>(handle);
}

TFile Opened(int fd, int& error)
{
    error = fd < 0 ? errno : 0;
    return TFile(fd < 0 ? TFile::NoHandle : fd);
}

TFileStatus StatusFrom(const struct stat& info)
{
    constexpr std::int64_t NsPerSecond = 1000000000;
    TFileStatus status;
    status.Regular = S_ISREG(info.st_mode);
    status.Permissions = static_cast<unsigned>(info.st_mode & 07777);
    status.Identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                       static_cast<std::int64_t>(info.st_size),
                       static_cast<std::int64_t>(info.st_mtim.tv_sec) * NsPerSecond + info.st_mtim.tv_nsec,
                       static_cast<std::int64_t>(info.st_ctim.tv_sec) * NsPerSecond + info.st_ctim.tv_nsec};
    return status;
}

} // namespace

TFile::~TFile()
{
    if (IsOpen()) {
        ::close(Fd(m_handle));
    }
}

int TFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(Fd(m_handle), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int TFile::WriteAt(std::uint64_t offset, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(Fd(m_handle), bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += static_cast<std::uint64_t>(written);
    }
    return 0;
}

int TFile::Flush()
{
    return ::fsync(Fd(m_handle)) == 0 ? 0 : errno;
}

int TFile::Close()
{
    // The descriptor is gone whatever close says; only the error is worth keeping.
    return ::close(Fd(std::exchange(m_handle, NoHandle))) == 0 ? 0 : errno;
}

std::int64_t TFile::Read(char* buffer, std::size_t size, int& error)
{
    for (;;) {
        const ssize_t got = ::read(Fd(m_handle), buffer, size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        error = got < 0 ? errno : 0;
        return got;
    }
}

bool TFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t size)
{
    while (size > 0) {
        const ssize_t got = ::pread(Fd(m_handle), buffer, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        buffer += got;
        size -= static_cast<std::size_t>(got);
        offset += static_cast<std::uint64_t>(got);
    }
    return true;
}

void TFile::StartWriteBack(std::uint64_t offset, std::uint64_t size)
{
#if defined(__linux__)
    ::sync_file_range(Fd(m_handle), static_cast<off_t>(offset), static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
#else
    (void)offset;
    (void)size;
#endif
}

std::optional<TFileStatus> TFile::Status() const
{
    struct stat info
    {};
    if (::fstat(Fd(m_handle), &info) != 0) {
        return std::nullopt;
    }
    return StatusFrom(info);
}

void TFile::SetPermissions(unsigned permissions)
{
    ::fchmod(Fd(m_handle), static_cast<mode_t>(permissions));
}

TFile CreateNewFile(const std::filesystem::path& fileName, TNewFile access, int& error)
{
    // Usual files are created like any other file (the user's umask applies); private ones 0600.
    const mode_t mode = access == TNewFile::Usual ? 0666 : 0600;
    return Opened(::open(fileName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode), error);
}

TFile OpenForReading(const std::filesystem::path& fileName, int& error)
{
    // Non-blocking: opening a named pipe must not wait for a writer. Reads of a regular file are
    // not affected.
    return Opened(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK), error);
}

TFile OpenForAppending(const std::filesystem::path& fileName, int& error)
{
    return Opened(::open(fileName.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600), error);
}

bool IsAlreadyExists(int error)
{
    return error == EEXIST;
}

bool IsNotFound(int error)
{
    return error == ENOENT || error == ENOTDIR;
}

std::optional<TFileStatus> StatusOf(const std::filesystem::path& fileName)
{
    struct stat info
    {};
    if (::stat(fileName.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return StatusFrom(info);
}

int ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target)
{
    return ::rename(source.c_str(), target.c_str()) == 0 ? 0 : errno;
}

void RemoveFile(const std::filesystem::path& fileName)
{
    ::unlink(fileName.c_str());
}

void FlushFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

int LastError()
{
    return errno;
}

std::string ErrorText(int error)
{
    return std::strerror(error);
}

std::string IoErrorText(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "File access denied";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case ENOSPC:
    case EDQUOT:
        return "Disk full";
    case ENAMETOOLONG:
    case EINVAL:
        return "Invalid filename";
    default:
        return "I/O error " + std::to_string(error);
    }
}

} // namespace FileSystem
