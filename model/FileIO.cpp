#include "FileIO.h"

#include "AtomicFileWriter.h"
#include "BWError.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Quoted(const std::filesystem::path& fileName)
{
    return "\"" + fileName.string() + "\"";
}

// Closes the descriptor when the scope ends, unless released.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    [[nodiscard]] int Get() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Reads the open file to its end straight into the buffer that is returned, sized once from the
// file's length; only a file that grows while it is read makes it grow.
std::string ReadAll(int fd, const struct stat& info)
{
    std::string bytes(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0, '\0');
    std::size_t used = 0;
    char probe[4096];
    for (;;) {
        const bool full = used == bytes.size();
        char* target = full ? probe : bytes.data() + used;
        const ssize_t got = ::read(fd, target, full ? sizeof probe : bytes.size() - used);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw EBWError("Stream read error");
        }
        if (got == 0) {
            break;
        }
        if (full) {
            bytes.append(probe, static_cast<std::size_t>(got));
        }
        used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
    return bytes;
}

} // namespace

std::string ReadWholeFile(const std::filesystem::path& fileName)
{
    FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info
    {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) {
        throw EBWError("Cannot open file " + Quoted(fileName) + ". " + std::strerror(errno));
    }
    return ReadAll(file.Get(), info);
}

std::optional<std::string> ReadRegularFile(const std::filesystem::path& fileName)
{
    // Non-blocking: opening a named pipe in the file's place must not wait for a writer. Reads of a
    // regular file are not affected.
    FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return std::nullopt;
        }
        throw EBWError("Cannot open file " + Quoted(fileName) + ". " + std::strerror(errno));
    }
    struct stat info
    {};
    if (::fstat(file.Get(), &info) != 0) {
        throw EBWError("Cannot open file " + Quoted(fileName) + ". " + std::strerror(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return ReadAll(file.Get(), info);
}

void WriteFileAtomically(const std::filesystem::path& fileName, std::string_view bytes,
                         AtomicFileWriter::NewFile newFile)
{
    AtomicFileWriter writer(fileName, newFile);
    writer.Write(bytes);
    writer.Commit();
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

void AppendToFile(const std::filesystem::path& fileName, std::string_view bytes)
{
    FileDescriptor file(::open(fileName.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600));
    if (file.Get() < 0) {
        throw EBWError(IoErrorText(errno));
    }
    // A log made by an older version, or restored from a backup, may be readable by others.
    struct stat info
    {};
    if (::fstat(file.Get(), &info) == 0 && (info.st_mode & 077) != 0) {
        ::fchmod(file.Get(), 0600);
    }
    if (!WriteAll(file.Get(), bytes)) {
        throw EBWError(IoErrorText(errno));
    }
    if (::close(file.Release()) != 0) {
        throw EBWError(IoErrorText(errno));
    }
}
