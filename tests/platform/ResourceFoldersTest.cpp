// Where the program finds its help pages and alert sounds: installed, in the build folder, or in a
// folder of its own.
#include "ResourceFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Touch(const QString& fileName)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << fileName.toStdString();
}

} // namespace

TEST(ResourceFolders, AnInstalledProgramLooksInShareBellwickBesideItsBinFolder)
{
    QTemporaryDir prefix;
    Touch(prefix.filePath(QStringLiteral("bin/BWClient")));
    Touch(prefix.filePath(QStringLiteral("share/bellwick/help/benefits.htm")));
    Touch(prefix.filePath(QStringLiteral("share/bellwick/sounds/s1.wav")));
    // Leftovers of the old layout beside the program do not win over the installed files.
    Touch(prefix.filePath(QStringLiteral("bin/help/benefits.htm")));
    Touch(prefix.filePath(QStringLiteral("bin/s1.wav")));

    const ResourceFolders folders(prefix.filePath(QStringLiteral("bin")));
    EXPECT_EQ(folders.Help(), prefix.filePath(QStringLiteral("share/bellwick/help")));
    EXPECT_EQ(folders.Sounds(), prefix.filePath(QStringLiteral("share/bellwick/sounds")));
    EXPECT_TRUE(folders.Complete());
}

TEST(ResourceFolders, AProgramFolderWithoutTheInstalledLayoutKeepsThemBesideTheProgram)
{
    QTemporaryDir program;
    Touch(program.filePath(QStringLiteral("help/benefits.htm")));
    Touch(program.filePath(QStringLiteral("s1.wav")));

    const ResourceFolders folders(program.path());
    EXPECT_EQ(folders.Help(), program.filePath(QStringLiteral("help")));
    EXPECT_EQ(folders.Sounds(), program.path());
    EXPECT_TRUE(folders.Complete());
}

TEST(ResourceFolders, AnInstallationWithoutItsSoundsOrHelpIsIncomplete)
{
    for (const char* missing : {"share/bellwick/help/benefits.htm", "share/bellwick/sounds/s1.wav"}) {
        QTemporaryDir prefix;
        Touch(prefix.filePath(QStringLiteral("share/bellwick/help/benefits.htm")));
        Touch(prefix.filePath(QStringLiteral("share/bellwick/sounds/s1.wav")));
        ASSERT_TRUE(QFile::remove(prefix.filePath(QString::fromLatin1(missing))));
        QDir(prefix.path()).mkpath(QStringLiteral("bin"));

        EXPECT_FALSE(ResourceFolders(prefix.filePath(QStringLiteral("bin"))).Complete()) << missing;
    }
    QTemporaryDir empty;
    EXPECT_FALSE(ResourceFolders(empty.path()).Complete());
}
