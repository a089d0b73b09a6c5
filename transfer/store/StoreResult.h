#pragma once

#include <cstdint>
#include <string>
#include <utility>

// How one operation on a group store ended.
enum class StoreStatus
{
    Ok,
    Exists,   // a folder to be made is there already
    NotFound, // the location answered that there is no such file or folder
    Refused,  // the location understood and said no: permissions, a read-only kind, not a regular file
    TooLarge, // the file is over the size limit
    Failed,   // anything else: no answer, a cut connection, a local error
};

struct StoreResult
{
    StoreStatus Status = StoreStatus::Ok;
    // Why, in words the user may read (a server's reply, the system's error text); empty when Ok.
    std::string Detail;

    [[nodiscard]] bool IsOk() const { return Status == StoreStatus::Ok; }
    [[nodiscard]] static StoreResult Fail(StoreStatus status, std::string detail)
    {
        return {status, std::move(detail)};
    }
};

// What tells one version of a file from another without its bytes. Each store fills what it has:
// size and modification time (whole seconds over FTP, nanoseconds in a folder), the file's
// identity in a folder (a replaced file is a new one), the web server's ETag and Last-Modified.
struct FileValidator
{
    std::int64_t Size = -1;
    std::int64_t Modified = -1;
    std::uint64_t Identity = 0;
    std::string ETag;
    std::string LastModified;

    [[nodiscard]] bool IsKnown() const { return Size >= 0 || Modified >= 0 || !ETag.empty() || !LastModified.empty(); }
    bool operator==(const FileValidator&) const = default;
};

struct FetchResult
{
    StoreResult Result;
    // The file still carries the validator the fetch was given: nothing was read.
    bool Unchanged = false;
    // The whole file when Result is Ok; what had arrived when a transfer was cut short.
    std::string Bytes;
    FileValidator Validator;
    // File body bytes that crossed the wire (or were read from the folder).
    std::uint64_t BodyBytes = 0;
    // The location's own clock shows the file's last change a second or more before this fetch,
    // so no change within that second can hide behind the validator.
    bool Settled = false;
};
