#include "FolderStore.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor when the scope ends.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    [[nodiscard]] int Get() const { return m_fd; }
    // close() reports a failed write-back on some file systems (NFS): a put must see it.
    bool Close() { return ::close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd;
};

FileValidator ValidatorOf(const struct stat& info)
{
    FileValidator validator;
    validator.Size = info.st_size;
    validator.Modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    validator.Identity = info.st_ino;
    return validator;
}

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

} // namespace

FolderStore::FolderStore(const std::filesystem::path& sharedFile, std::size_t sizeLimit)
    : m_folder(sharedFile.has_parent_path() ? sharedFile.parent_path() : std::filesystem::path(".")),
      m_sharedName(sharedFile.filename().string()), m_sizeLimit(sizeLimit)
{}

StoreResult FolderStore::Failure(const std::string& name, int error) const
{
    std::string detail = "\"" + PathOf(name).string() + "\": " + std::strerror(error);
    switch (error) {
    case ENOENT: {
        // Only a folder that is there can say a file is missing; an absent network share cannot.
        std::error_code ignored;
        const bool folderThere = std::filesystem::is_directory(PathOf(name).parent_path(), ignored);
        return StoreResult::Fail(folderThere ? StoreStatus::NotFound : StoreStatus::Failed, std::move(detail));
    }
    case EEXIST:
        return StoreResult::Fail(StoreStatus::Exists, std::move(detail));
    case EACCES:
    case EPERM:
    case EROFS:
        return StoreResult::Fail(StoreStatus::Refused, std::move(detail));
    default:
        return StoreResult::Fail(StoreStatus::Failed, std::move(detail));
    }
}

FetchResult FolderStore::Fetch(const std::string& name, const FileValidator* unlessSame)
{
    FetchResult fetched;
    // Non-blocking: opening a named pipe for reading would otherwise wait for a writer for ever.
    Descriptor file(::open(PathOf(name).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info
    {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) {
        fetched.Result = Failure(name, errno);
        return fetched;
    }
    if (!S_ISREG(info.st_mode)) {
        fetched.Result = StoreResult::Fail(StoreStatus::Refused, "\"" + PathOf(name).string() +
                                                                     "\" is not a regular file (a pipe, a device "
                                                                     "or a folder); it is not read");
        return fetched;
    }
    fetched.Validator = ValidatorOf(info);
    if (unlessSame != nullptr && *unlessSame == fetched.Validator) {
        fetched.Unchanged = true;
        return fetched;
    }
    const auto limit = static_cast<std::uint64_t>(m_sizeLimit);
    if (static_cast<std::uint64_t>(info.st_size) > limit) {
        fetched.Result = StoreResult::Fail(StoreStatus::TooLarge, std::to_string(info.st_size) + " bytes");
        return fetched;
    }
    fetched.Bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t used = 0;
    for (;;) {
        if (used == fetched.Bytes.size()) {
            // A file that grows while it is read is followed, but only up to the limit.
            if (used > m_sizeLimit) {
                fetched.Result =
                    StoreResult::Fail(StoreStatus::TooLarge, "more than " + std::to_string(limit) + " bytes");
                fetched.Bytes.clear();
                return fetched;
            }
            fetched.Bytes.resize(used + std::size_t{64} * 1024);
        }
        const ssize_t got = ::read(file.Get(), fetched.Bytes.data() + used, fetched.Bytes.size() - used);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            fetched.Result = Failure(name, errno);
            fetched.Bytes.clear();
            return fetched;
        }
        if (got == 0) {
            break;
        }
        used += static_cast<std::size_t>(got);
    }
    fetched.Bytes.resize(used);
    fetched.BodyBytes = used;
    return fetched;
}

StoreResult FolderStore::Stat(const std::string& name, FileValidator& validator)
{
    struct stat info
    {};
    if (::stat(PathOf(name).c_str(), &info) != 0) {
        return Failure(name, errno);
    }
    validator = ValidatorOf(info);
    return {};
}

StoreResult FolderStore::MakeFolder(const std::string& name)
{
    // The usual permissions of the folder's users (umask), as for the group file: the members who
    // may write the group file may also clear a lock that one of them left behind.
    if (::mkdir(PathOf(name).c_str(), 0777) != 0) {
        return Failure(name, errno);
    }
    FlushFolder();
    return {};
}

StoreResult FolderStore::RemoveFolder(const std::string& name)
{
    if (::rmdir(PathOf(name).c_str()) != 0) {
        return Failure(name, errno);
    }
    return {};
}

StoreResult FolderStore::Put(const std::string& name, std::string_view bytes)
{
    Descriptor file(::open(PathOf(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY | O_CLOEXEC, 0666));
    if (file.Get() < 0) {
        return Failure(name, errno);
    }
    if (!WriteAll(file.Get(), bytes) || ::fsync(file.Get()) != 0 || !file.Close()) {
        return Failure(name, errno);
    }
    return {};
}

StoreResult FolderStore::Rename(const std::string& from, const std::string& to)
{
    // The replacement keeps the permissions the members gave the file it replaces.
    struct stat target
    {};
    if (::stat(PathOf(to).c_str(), &target) == 0 && S_ISREG(target.st_mode)) {
        [[maybe_unused]] const int ignored = ::chmod(PathOf(from).c_str(), target.st_mode & 07777);
    }
    if (::rename(PathOf(from).c_str(), PathOf(to).c_str()) != 0) {
        return Failure(from, errno);
    }
    FlushFolder();
    return {};
}

StoreResult FolderStore::Delete(const std::string& name)
{
    if (::unlink(PathOf(name).c_str()) != 0) {
        return Failure(name, errno);
    }
    return {};
}

StoreResult FolderStore::List(std::vector<std::string>& names)
{
    names.clear();
    std::error_code error;
    std::filesystem::directory_iterator entries(m_folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        names.push_back(entries->path().filename().string());
    }
    if (error) {
        names.clear();
        return StoreResult::Fail(StoreStatus::Failed, "\"" + m_folder.string() + "\": " + error.message());
    }
    return {};
}

void FolderStore::FlushFolder() const
{
    // A rename or a new folder is durable only once the folder itself is on disk.
    Descriptor folder(::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) {
        [[maybe_unused]] const int ignored = ::fsync(folder.Get());
    }
}
