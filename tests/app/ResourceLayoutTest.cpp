// The program as built finds its help pages and alert sounds where the build put them, the way an
// installed program finds them in share/bellwick.
#include "ProgramHome.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(BWClientResources, TheBuiltProgramFindsItsHelpAndSoundsInTheMirroredShareFolder)
{
    const QByteArray savedRules = qgetenv("QT_LOGGING_RULES");
    qputenv("QT_LOGGING_RULES", "bellwick.resources.info=true");
    ProgramHome home;
    const auto program = home.Start({QStringLiteral("/m")});
    qputenv("QT_LOGGING_RULES", savedRules);
    ASSERT_TRUE(WaitUntil([&] { return home.HasStarted(); }, std::chrono::milliseconds(15000)));
    ASSERT_TRUE(Terminate(*program)) << "the program had ended before it was asked to";
    ASSERT_TRUE(program->waitForFinished(15000));
    const QString log = QString::fromLocal8Bit(program->readAllStandardError());

    const QString share = QDir::cleanPath(QFileInfo(QStringLiteral(BW_CLIENT_PATH)).absolutePath() +
                                          QStringLiteral("/../share/bellwick"));
    EXPECT_TRUE(log.contains(QStringLiteral("help pages in %1/help - alert sounds in %1/sounds").arg(share)))
        << log.toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("missing"))) << log.toStdString();
    EXPECT_TRUE(QFileInfo::exists(share + QStringLiteral("/help/benefits.htm")));
    EXPECT_TRUE(QFileInfo::exists(share + QStringLiteral("/help/state-green.svg"))) << "the pictures the pages show";
    for (int n = 1; n <= 9; ++n) {
        EXPECT_TRUE(QFileInfo::exists(share + QStringLiteral("/sounds/s%1.wav").arg(n))) << n;
    }
    EndProcess(*program);
}
