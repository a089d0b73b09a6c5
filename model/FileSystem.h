#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The few file operations the model needs from the operating system. FileSystemPosix.cpp and
// FileSystemWindows.cpp implement them; the build compiles the one for its platform. Failures come
// back as the system's error code (errno, or GetLastError on Windows), never as an exception, so
// that the callers keep the texts of their messages in one place.
namespace FileSystem {

// What a file is on disk right now: a write, a touch or a replacement by rename changes it.
struct TFileIdentity
{
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t Size = -1;
    std::int64_t ModifiedNs = 0;
    std::int64_t ChangedNs = 0;

    bool operator==(const TFileIdentity&) const = default;
};

struct TFileStatus
{
    bool Regular = false;
    // The POSIX permission bits; 0 where the system has none (Windows keeps access in lists).
    unsigned Permissions = 0;
    TFileIdentity Identity;
};

enum class TNewFile
{
    Private, // the user's alone
    Usual,   // the permissions new files get by default
};

// An open file, closed when it goes.
class TFile
{
public:
    TFile() = default;
    ~TFile();
    TFile(TFile&& other) noexcept;
    TFile& operator=(TFile&& other) noexcept;
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    [[nodiscard]] bool IsOpen() const;
    // Each of these returns 0 or the system's error code.
    int Write(std::string_view bytes);
    int WriteAt(std::uint64_t offset, std::string_view bytes);
    // Flushes the file's data to the disk.
    int Flush();
    int Close();
    // Up to size bytes from where the last read ended: how many (0 at the end), or -1 and the error.
    [[nodiscard]] std::int64_t Read(char* buffer, std::size_t size, int& error);
    // Exactly size bytes at offset; false on an error or an early end of the file.
    [[nodiscard]] bool ReadAt(std::uint64_t offset, char* buffer, std::size_t size);
    // Starts sending the range towards the disk, so that a later Flush waits for less; only a hint.
    void StartWriteBack(std::uint64_t offset, std::uint64_t size);
    [[nodiscard]] std::optional<TFileStatus> Status() const;
    // Where the system has permission bits.
    void SetPermissions(unsigned permissions);

    // The system's handle: a descriptor, or a HANDLE as an integer.
    static constexpr std::intptr_t NoHandle = -1;
    explicit TFile(std::intptr_t handle) : m_handle(handle) {}

private:
    std::intptr_t m_handle = NoHandle;
};

// A new file that must not exist yet, for reading and writing.
[[nodiscard]] TFile CreateNewFile(const std::filesystem::path& fileName, TNewFile access, int& error);
// For reading; never waits for a writer (a named pipe in the file's place).
[[nodiscard]] TFile OpenForReading(const std::filesystem::path& fileName, int& error);
// For appending, created the user's alone when missing.
[[nodiscard]] TFile OpenForAppending(const std::filesystem::path& fileName, int& error);
[[nodiscard]] bool IsAlreadyExists(int error);
[[nodiscard]] bool IsNotFound(int error);

[[nodiscard]] std::optional<TFileStatus> StatusOf(const std::filesystem::path& fileName);
// Puts source in target's place in one step, replacing target; returns 0 or the error.
[[nodiscard]] int ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target);
void RemoveFile(const std::filesystem::path& fileName);
// Makes the folder's entries (a rename into it) durable, where the system needs it.
void FlushFolder(const std::filesystem::path& folder);

// The error of the last call on this thread that failed.
[[nodiscard]] int LastError();
// The system's text for an error ("No such file or directory").
[[nodiscard]] std::string ErrorText(int error);
// The runtime's short text for a failed file operation ("File access denied", "Disk full", ...).
[[nodiscard]] std::string IoErrorText(int error);

} // namespace FileSystem
