// What the desktop shell starts itself and what it leaves to the desktop's handlers.
#include "DesktopShell.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

TEST(DesktopShell, TellsProgramsFromDocumentsAndAddresses)
{
    QTemporaryDir folder;
    const QString script = folder.filePath(QStringLiteral("run.sh"));
    const QString document = folder.filePath(QStringLiteral("notes.txt"));
    for (const QString& name : {script, document}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
    }
    ASSERT_TRUE(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    EXPECT_EQ(DesktopShell::FindProgram(script), script);
    EXPECT_TRUE(DesktopShell::FindProgram(document).isEmpty());
    EXPECT_TRUE(DesktopShell::FindProgram(folder.path()).isEmpty());
    EXPECT_FALSE(DesktopShell::FindProgram(QStringLiteral("sh")).isEmpty()) << "a bare name is looked for on PATH";
    EXPECT_TRUE(DesktopShell::FindProgram(QStringLiteral("no/such/sh")).isEmpty());

    EXPECT_TRUE(DesktopShell::IsAddress(QStringLiteral("https://example.org/a")));
    EXPECT_TRUE(DesktopShell::IsAddress(QStringLiteral("mailto:ann@example.org")));
    EXPECT_FALSE(DesktopShell::IsAddress(QStringLiteral("C:\\Tools\\a b.exe")));
    EXPECT_FALSE(DesktopShell::IsAddress(QStringLiteral("/home/ann/notes.txt")));
    EXPECT_FALSE(DesktopShell::IsAddress(QStringLiteral("1x:y")));
}

TEST(DesktopShell, StartsAProgramWithItsParametersSplitAsACommandLine)
{
    QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("arguments.txt"));
    const QString script = folder.filePath(QStringLiteral("record.sh"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done > \"$0.tmp\" && mv \"$0.tmp\" " +
               QFile::encodeName(output) + "\n");
    file.close();
    ASSERT_TRUE(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    DesktopShell().Open(script, QStringLiteral("\"a b\" -x"));
    // The program runs on its own; give it a few seconds on a busy machine.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 10000);
    QFile result(output);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll(), QByteArray("[a b]\n[-x]\n"));
}
