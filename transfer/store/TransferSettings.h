#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// Limits and trust settings shared by every transfer worker.
struct TransferSettings
{
    // Reaching the server: TCP connect, TLS handshake, FTP greeting and login, the server's
    // connection back to us in active mode.
    std::chrono::milliseconds ConnectTimeout{20000};
    // No byte of the file moved for this long: the server is considered gone.
    std::chrono::milliseconds StallTimeout{30000};
    // Hard cap on one whole transfer.
    std::chrono::milliseconds TotalTimeout{600000};
    // The longest one WaitForTransfers keeps its caller waiting; transfers still running go on.
    std::chrono::milliseconds WaitLimit{8640};
    // How long one publish waits for a group's lock while another member holds it; a group that
    // stays busy longer keeps the change for a later try.
    std::chrono::milliseconds LockWait{20000};
    // The largest group file any fetch accepts, far above any real one (a 10 000-message group is
    // about 3 MB): a hostile or broken location cannot fill the memory or the disk.
    std::size_t SizeLimit = std::size_t{64} * 1024 * 1024;
    // Certificate authorities in a PEM file trusted instead of the system's; empty means the
    // system's store.
    std::string CaFile;
    // SSH host keys this program was told to trust (OpenSSH's known_hosts format; written when the
    // user trusts a new host), and the user's own SSH folder: its known_hosts is read, never
    // written, and its id_ed25519, id_ecdsa or id_rsa is offered when a group names no key.
    std::string KnownHostsFile;
    std::string SshFolder;
};
