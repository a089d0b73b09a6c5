#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// A folder that only this user can write to: ours, a real folder (no symbolic link), closed to others.
bool IsPrivateFolder(const QString& path)
{
    struct stat info
    {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

bool IsOwnFolder(const QString& path)
{
    struct stat info
    {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid();
}
#endif

} // namespace

SingleInstance::SingleInstance(const QString& lockFolder)
    : m_fileName(QDir(lockFolder).filePath(QStringLiteral("Bellwick_Mutex.lock"))),
      m_lock(std::make_unique<QLockFile>(m_fileName))
{
    // A running copy must never look stale because its lock is old; only a dead owner makes it stale.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ChannelName() const
{
#ifdef Q_OS_UNIX
    // A path in the lock's private folder: nobody else can connect, or put a socket there.
    return QFileInfo(m_fileName).dir().filePath(QStringLiteral("Bellwick_Mutex.socket"));
#else
    // A named pipe; the server admits the user alone (QLocalServer::UserAccessOption).
    return QStringLiteral("Bellwick_Mutex-") + qEnvironmentVariable("USERNAME");
#endif
}

bool SingleInstance::TryAcquire()
{
    return m_lock->isLocked() || m_lock->tryLock(0);
}

QString SingleInstance::FailureReason() const
{
    const QString file = QDir::toNativeSeparators(m_fileName);
    switch (m_lock->error()) {
    case QLockFile::NoError:
    case QLockFile::LockFailedError:
        return {};
    case QLockFile::PermissionError:
        return QCoreApplication::translate("SingleInstance",
                                           "Its lock file \"%1\" cannot be created: the folder cannot be written to.")
            .arg(file);
    case QLockFile::UnknownError:
        break;
    }
    // Qt tells no more than that creating or writing the file failed; a full disk is the usual cause.
    return QCoreApplication::translate("SingleInstance", "Its lock file \"%1\" could not be written. Is the disk full?")
        .arg(file);
}

QString SingleInstance::DefaultLockFolder()
{
#ifdef Q_OS_UNIX
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsOwnFolder(runtime)) {
        return runtime;
    }
    QString fallback = QDir::tempPath() + QStringLiteral("/bellwick-") + QString::number(::getuid());
    QDir().mkdir(fallback, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (IsPrivateFolder(fallback)) {
        return fallback;
    }
    // Someone else holds that name in the shared temporary folder; the cache folder is ours alone.
    QString cache =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Bellwick");
    QDir().mkpath(cache);
    return cache;
#else
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QDir().mkpath(runtime);
    return runtime;
#endif
}
