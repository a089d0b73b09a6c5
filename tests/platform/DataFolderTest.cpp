// Where the data lives and who may read it.
#include "DataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

QFileDevice::Permissions PermissionsOf(const QString& path)
{
    // QFileInfo also reports the "user" bits, which mirror the owner's for the owner; keep the
    // classic owner/group/other bits only.
    return QFileInfo(path).permissions() &
           (OwnerOnly | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

} // namespace

TEST(DataFolder, CreatesTheTreeReadableByTheUserAlone)
{
    QTemporaryDir home;
    const QString root = home.filePath(QStringLiteral("share/Bellwick"));
    const DataFolder folder(root.toStdString());
    EXPECT_EQ(folder.Root().string(), root.toStdString() + "/");

    folder.CreateTree();
    for (const QString& path : {root, root + QStringLiteral("/BWELists"), root + QStringLiteral("/BWLists"),
                                root + QStringLiteral("/Logs")}) {
        ASSERT_TRUE(QFileInfo(path).isDir()) << path.toStdString();
        EXPECT_EQ(PermissionsOf(path), OwnerOnly) << path.toStdString();
    }
    // A second start leaves what is there alone, including looser permissions the user chose.
    ASSERT_TRUE(QFile::setPermissions(root + QStringLiteral("/Logs"),
                                      OwnerOnly | QFileDevice::ReadGroup | QFileDevice::ExeGroup));
    folder.CreateTree();
    EXPECT_EQ(PermissionsOf(root + QStringLiteral("/Logs")),
              OwnerOnly | QFileDevice::ReadGroup | QFileDevice::ExeGroup);
}

TEST(DataFolder, FollowsXdgDataHome)
{
    QTemporaryDir home;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::AppData), home.path());
    EXPECT_EQ(DataFolder::ForCurrentUser().Root().string(), home.path().toStdString() + "/Bellwick/");
    if (saved.isNull()) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        qputenv("XDG_DATA_HOME", saved);
    }
}
