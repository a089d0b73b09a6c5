// Compiled on Windows only (see CMakeLists.txt).
#include "FileSystem.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <utility>

namespace FileSystem {

namespace {

// Larger writes and reads go in pieces a DWORD can count.
constexpr std::size_t MaxPiece = std::size_t{1} << 30;

HANDLE Native(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

TFile Opened(HANDLE handle, int& error)
{
    if (handle == INVALID_HANDLE_VALUE) {
        error = static_cast<int>(::GetLastError());
        return TFile();
    }
    error = 0;
    return TFile(reinterpret_cast<std::intptr_t>(handle));
}

// Times as 100-nanosecond ticks since 1601; the identity only compares them.
std::int64_t Nanoseconds(std::int64_t ticks)
{
    return ticks * 100;
}

std::optional<TFileStatus> StatusOfHandle(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandle(handle, &info) ||
        !::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic)) {
        return std::nullopt;
    }
    TFileStatus status;
    status.Regular = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    status.Identity.Device = info.dwVolumeSerialNumber;
    status.Identity.Inode = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    status.Identity.Size = static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
    status.Identity.ModifiedNs = Nanoseconds(basic.LastWriteTime.QuadPart);
    status.Identity.ChangedNs = Nanoseconds(basic.ChangeTime.QuadPart);
    return status;
}

// WriteFile and ReadFile at an offset move the file pointer of a synchronous handle; Write and Read
// go on from where they stood before, as after pwrite and pread.
class KeepFilePointer
{
public:
    explicit KeepFilePointer(HANDLE handle) : m_handle(handle)
    {
        const LARGE_INTEGER none{};
        m_kept = ::SetFilePointerEx(m_handle, none, &m_position, FILE_CURRENT) != 0;
    }
    ~KeepFilePointer()
    {
        if (m_kept) {
            ::SetFilePointerEx(m_handle, m_position, nullptr, FILE_BEGIN);
        }
    }
    KeepFilePointer(const KeepFilePointer&) = delete;
    KeepFilePointer& operator=(const KeepFilePointer&) = delete;

private:
    HANDLE m_handle;
    LARGE_INTEGER m_position{};
    bool m_kept = false;
};

OVERLAPPED At(std::uint64_t offset)
{
    OVERLAPPED overlapped{};
    overlapped.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return overlapped;
}

} // namespace

TFile::~TFile()
{
    if (IsOpen()) {
        ::CloseHandle(Native(m_handle));
    }
}

int TFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min(bytes.size(), MaxPiece));
        if (!::WriteFile(Native(m_handle), bytes.data(), piece, &written, nullptr)) {
            return static_cast<int>(::GetLastError());
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

int TFile::WriteAt(std::uint64_t offset, std::string_view bytes)
{
    const KeepFilePointer kept(Native(m_handle));
    while (!bytes.empty()) {
        DWORD written = 0;
        OVERLAPPED at = At(offset);
        const auto piece = static_cast<DWORD>(std::min(bytes.size(), MaxPiece));
        if (!::WriteFile(Native(m_handle), bytes.data(), piece, &written, &at)) {
            return static_cast<int>(::GetLastError());
        }
        bytes.remove_prefix(written);
        offset += written;
    }
    return 0;
}

int TFile::Flush()
{
    return ::FlushFileBuffers(Native(m_handle)) ? 0 : static_cast<int>(::GetLastError());
}

int TFile::Close()
{
    return ::CloseHandle(Native(std::exchange(m_handle, NoHandle))) ? 0 : static_cast<int>(::GetLastError());
}

std::int64_t TFile::Read(char* buffer, std::size_t size, int& error)
{
    DWORD got = 0;
    if (!::ReadFile(Native(m_handle), buffer, static_cast<DWORD>(std::min(size, MaxPiece)), &got, nullptr)) {
        error = static_cast<int>(::GetLastError());
        return -1;
    }
    error = 0;
    return got;
}

bool TFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t size)
{
    const KeepFilePointer kept(Native(m_handle));
    while (size > 0) {
        DWORD got = 0;
        OVERLAPPED at = At(offset);
        if (!::ReadFile(Native(m_handle), buffer, static_cast<DWORD>(std::min(size, MaxPiece)), &got, &at) ||
            got == 0) {
            return false;
        }
        buffer += got;
        size -= got;
        offset += got;
    }
    return true;
}

void TFile::StartWriteBack(std::uint64_t, std::uint64_t) {}

std::optional<TFileStatus> TFile::Status() const
{
    return StatusOfHandle(Native(m_handle));
}

// Access on Windows is the folder's access list, which a new file inherits.
void TFile::SetPermissions(unsigned) {}

TFile CreateNewFile(const std::filesystem::path& fileName, TNewFile, int& error)
{
    return Opened(::CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr),
                  error);
}

TFile OpenForReading(const std::filesystem::path& fileName, int& error)
{
    // Backup semantics open a folder too, so that the caller sees a file that is no regular one
    // rather than a refusal.
    return Opened(::CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr),
                  error);
}

TFile OpenForAppending(const std::filesystem::path& fileName, int& error)
{
    // Append access alone: every write goes to the end of the file.
    return Opened(::CreateFileW(fileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr),
                  error);
}

bool IsAlreadyExists(int error)
{
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

bool IsNotFound(int error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::optional<TFileStatus> StatusOf(const std::filesystem::path& fileName)
{
    int error = 0;
    const TFile file(Opened(::CreateFileW(fileName.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr),
                            error));
    if (!file.IsOpen()) {
        return std::nullopt;
    }
    return file.Status();
}

int ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target)
{
    // Write-through: the move is on disk when the call returns, as the folder flush makes it on
    // POSIX. A reader or a virus scanner holding the target open makes the move fail for a moment.
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return 0;
        }
        const DWORD error = ::GetLastError();
        if (attempt == 10 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) {
            return static_cast<int>(error);
        }
        ::Sleep(50);
    }
}

void RemoveFile(const std::filesystem::path& fileName)
{
    ::DeleteFileW(fileName.c_str());
}

void FlushFolder(const std::filesystem::path&) {}

int LastError()
{
    return static_cast<int>(::GetLastError());
}

std::string ErrorText(int error)
{
    char text[512] = {};
    const DWORD size = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(error), 0, text, sizeof text, nullptr);
    std::string result(text, size);
    // The system's texts end in a full stop and a line break; the messages add their own.
    while (!result.empty() && (result.back() == '\r' || result.back() == '\n' || result.back() == '.')) {
        result.pop_back();
    }
    return result.empty() ? "Error " + std::to_string(error) : result;
}

std::string IoErrorText(int error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "File not found";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
        return "File access denied";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "Too many open files";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "Disk full";
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return "Invalid filename";
    default:
        return "I/O error " + std::to_string(error);
    }
}

} // namespace FileSystem
