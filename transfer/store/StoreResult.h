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
    Changed,  // the file is no longer the version it was read as: read it again, change it again
};

// What lies behind a failure, as far as the location let it be known: what Test explains to the
// user and what tells a bad password from a server that is down.
enum class StoreCause
{
    Unknown,
    NameNotFound,   // the server's name is not known
    NotListening,   // the connection was refused: nothing answers on that port
    TimedOut,       // no answer in time
    Tls,            // the secure connection could not be made (TLS not offered, broken handshake)
    Certificate,    // the server's certificate is not trusted
    HostKeyUnknown, // an SSH server seen for the first time: its key is not trusted yet
    HostKeyChanged, // an SSH server whose key is not the one trusted for it
    Login,          // the account or its password was refused
    NotFound,       // no such file or folder
    Permission,     // the account may not do this
    ReadOnly,       // the location cannot be written at all
    Changed,        // the file changed since it was read (a web server's If-Match)
    PlainLogin,     // the password would go in clear over plain HTTP, which the user did not allow
};

// The server's identity as it presented itself, when that is what failed: an SSH host key, or
// a TLS certificate, with the SHA-256 fingerprint people compare with the administrator's.
struct ServerIdentity
{
    std::string Host;        // as a known-hosts line names it ("host", or "[host]:port")
    std::string KeyType;     // "ssh-ed25519", ...; empty for a certificate
    std::string Key;         // the SSH key blob
    std::string Fingerprint; // "SHA256:..." of an SSH key; colon-separated hex of a certificate
    std::string Note;        // for a certificate: why it was not trusted, whom it names
};

struct StoreResult
{
    StoreStatus Status = StoreStatus::Ok;
    // Why, in words the user may read (a server's reply, the system's error text); empty when Ok.
    std::string Detail;
    StoreCause Cause = StoreCause::Unknown;
    ServerIdentity Server;

    [[nodiscard]] bool IsOk() const { return Status == StoreStatus::Ok; }
    [[nodiscard]] static StoreResult Fail(StoreStatus status, std::string detail,
                                          StoreCause cause = StoreCause::Unknown)
    {
        return {status, std::move(detail), cause, {}};
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
