#pragma once

#include "StoreResult.h"

#include <string>
#include <vector>

// SSH host keys in OpenSSH's known_hosts format: plain and hashed ("|1|salt|hash") host names,
// "[host]:port" for other ports than 22, lists, "*" and "?" patterns, "!" negation, and
// "@revoked" keys. Read from several files; written only to the program's own.
class KnownHosts
{
public:
    enum class Verdict
    {
        Trusted,
        Unknown, // no key of this type is known for the host
        Changed, // another key of this type is known for it, or this one is revoked
    };

    void Read(const std::string& file);
    [[nodiscard]] Verdict Check(const std::string& hostEntry, const std::string& keyType, const std::string& key) const;

    // "host" for port 22, "[host]:port" for any other, as known_hosts names them.
    [[nodiscard]] static std::string HostEntry(const std::string& host, long port);
    // The key type named inside an SSH key blob ("ssh-ed25519", ...).
    [[nodiscard]] static std::string KeyTypeOf(const std::string& key);
    // OpenSSH's way of showing a key: "SHA256:" and the unpadded base64 of its SHA-256 digest.
    [[nodiscard]] static std::string Fingerprint(const std::string& key);
    // Adds the server's key to the file (made private to the user when new), replacing nothing.
    // Throws EBWError when the file cannot be written.
    static void Trust(const std::string& file, const ServerIdentity& server);

private:
    struct Entry
    {
        std::vector<std::string> Patterns;
        std::string KeyType;
        std::string Key;
        bool Revoked = false;
    };

    [[nodiscard]] static bool Matches(const Entry& entry, const std::string& hostEntry);

    std::vector<Entry> m_entries;
};
