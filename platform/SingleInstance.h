#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Makes sure the program runs once per user logon: a lock file named after "Bellwick_Mutex" in the
// user's runtime folder. The lock is held until the process ends; a lock left behind by a copy that
// ended without releasing it (a crash, kill -9) is recognised by its dead process and taken over.
class SingleInstance
{
public:
    // The lock in the given folder (tests); the default is DefaultLockFolder().
    explicit SingleInstance(const QString& lockFolder = DefaultLockFolder());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is now the one running copy.
    [[nodiscard]] bool TryAcquire();
    // After TryAcquire failed: empty when another copy holds the lock, otherwise why the lock could
    // not be taken (the folder is read-only, or full), naming the lock file.
    [[nodiscard]] QString FailureReason() const;

    [[nodiscard]] QString LockFileName() const { return m_fileName; }
    // The local socket beside the lock through which a second start reaches the running copy.
    [[nodiscard]] QString ChannelName() const;

    // XDG_RUNTIME_DIR when it is a folder of the user's own, else a private folder in the temporary
    // folder (created readable by the user alone).
    [[nodiscard]] static QString DefaultLockFolder();

private:
    QString m_fileName;
    std::unique_ptr<QLockFile> m_lock;
};
