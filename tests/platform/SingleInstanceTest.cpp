// One copy per user: the lock, its release, and a lock left behind by a copy that died.
#include "SingleInstance.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SingleInstance, OnlyOneHolderAtATimeAndTheLockIsFreeAgainAfterwards)
{
    QTemporaryDir folder;
    auto first = std::make_unique<SingleInstance>(folder.path());
    ASSERT_TRUE(first->TryAcquire());
    EXPECT_TRUE(first->TryAcquire()) << "asking again keeps the lock";
    EXPECT_EQ(QFileInfo(first->LockFileName()).fileName(), QStringLiteral("Bellwick_Mutex.lock"));

    SingleInstance second(folder.path());
    EXPECT_FALSE(second.TryAcquire());

    // A copy that has run for hours is still running: its lock is not stale.
    QFile lock(first->LockFileName());
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-6 * 3600), QFileDevice::FileModificationTime));
    lock.close();
    EXPECT_FALSE(second.TryAcquire());

    first.reset();
    EXPECT_TRUE(second.TryAcquire());
}

TEST(SingleInstance, TakesOverTheLockOfACopyThatDied)
{
    QTemporaryDir folder;
    // The number of a process that has ended, as a killed copy leaves it in its lock file.
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());

    QFile lock(folder.filePath(QStringLiteral("Bellwick_Mutex.lock")));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\nBWClient\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();

    SingleInstance instance(folder.path());
    EXPECT_TRUE(instance.TryAcquire());
}

TEST(SingleInstance, UsesTheRuntimeFolderOrAPrivateFallback)
{
    QTemporaryDir runtime;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    EXPECT_EQ(SingleInstance::DefaultLockFolder(), runtime.path());

    qunsetenv("XDG_RUNTIME_DIR");
    const QString fallback = SingleInstance::DefaultLockFolder();
    EXPECT_FALSE(fallback.isEmpty());
    EXPECT_TRUE(QFileInfo(fallback).isDir());
    EXPECT_EQ(QFileInfo(fallback).permissions() &
                  (QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ReadGroup | QFileDevice::WriteGroup),
              QFileDevice::Permissions());
    if (!saved.isNull()) {
        qputenv("XDG_RUNTIME_DIR", saved);
    }
}
