// The real program on an X display, seen from outside: its icon in a tray host (Debian's trayer),
// the close box, a hidden start, and a desktop without any notification area.
#include "ProgramHome.h"
#include "VirtualDisplay.h"
#include "XProbe.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

constexpr int StartTimeoutMs = 20000;
const QString Caption = QStringLiteral("Bellwick (Ann)");

} // namespace

class DesktopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        ASSERT_TRUE(display.IsRunning());
        probe = std::make_unique<XProbe>(display.Name());
        ASSERT_TRUE(probe->IsConnected());
    }

    void TearDown() override
    {
        if (program) {
            EndProcess(*program);
        }
        if (trayHost) {
            EndProcess(*trayHost);
        }
    }

    void StartTrayHost()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty()) {
            GTEST_SKIP() << "trayer is not installed";
        }
        trayHost = display.Run(QStringLiteral("trayer"),
                               {QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--widthtype"),
                                QStringLiteral("request"), QStringLiteral("--height"), QStringLiteral("24")});
        ASSERT_TRUE(WaitUntil([&] { return probe->TopLevelOfInstance("panel").has_value(); },
                              std::chrono::milliseconds(StartTimeoutMs)));
    }

    [[nodiscard]] bool TrayIconShown()
    {
        const std::optional<XProbe::Window> panel = probe->TopLevelOfInstance("panel");
        return panel && probe->HasDescendantOfClass(*panel, "Bellwick");
    }

    void StartProgram(const QStringList& arguments)
    {
        program = home.Start(arguments, QStringLiteral("xcb"), display.Name());
        ASSERT_EQ(program->state(), QProcess::Running);
    }

    void EndProgramCleanly()
    {
        ASSERT_TRUE(Terminate(*program)) << "the program had ended before it was asked to";
        ASSERT_TRUE(program->waitForFinished(StartTimeoutMs));
        EXPECT_EQ(program->exitCode(), 0) << program->readAllStandardError().toStdString();
    }

    VirtualDisplay display;
    std::unique_ptr<XProbe> probe;
    ProgramHome home;
    std::unique_ptr<QProcess> trayHost;
    std::unique_ptr<QProcess> program;
};

TEST_F(DesktopTest, TheIconSitsInTheTrayHostAndTheCloseBoxHidesTheWindowThere)
{
    StartTrayHost();
    StartProgram({});
    ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(); }, std::chrono::milliseconds(StartTimeoutMs)));
    ASSERT_TRUE(
        WaitUntil([&] { return probe->AnyViewableTitled(Caption); }, std::chrono::milliseconds(StartTimeoutMs)));

    for (const XProbe::Window window : probe->TopLevelsTitled(Caption)) {
        probe->SendDeleteWindow(window);
    }
    EXPECT_TRUE(
        WaitUntil([&] { return !probe->AnyViewableTitled(Caption); }, std::chrono::milliseconds(StartTimeoutMs)));
    EXPECT_EQ(program->state(), QProcess::Running) << "closing only hides the program";
    EXPECT_TRUE(TrayIconShown());
    EndProgramCleanly();
}

TEST_F(DesktopTest, TheIconComesBackWhenTheTrayHostIsRestarted)
{
    StartTrayHost();
    StartProgram({QStringLiteral("/m")});
    ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(); }, std::chrono::milliseconds(StartTimeoutMs)));
    EndProcess(*trayHost);
    ASSERT_TRUE(WaitUntil([&] { return !probe->TopLevelOfInstance("panel").has_value(); },
                          std::chrono::milliseconds(StartTimeoutMs)));
    StartTrayHost();
    EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(); }, std::chrono::milliseconds(StartTimeoutMs)));
    EndProgramCleanly();
}

// A hidden start shows no window, nor does a second start with "/m"; a second start without it
// brings the running copy's window forward.
TEST_F(DesktopTest, AHiddenStartShowsTheTrayIconAndNoWindowUntilTheProgramIsStartedAgain)
{
    StartTrayHost();
    StartProgram({QStringLiteral("/m")});
    ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(); }, std::chrono::milliseconds(StartTimeoutMs)));
    const auto startAgain = [&](const QStringList& arguments) {
        ASSERT_TRUE(home.Start(arguments, QStringLiteral("xcb"), display.Name())->waitForFinished(StartTimeoutMs));
    };
    startAgain({QStringLiteral("/m")});
    // The window would be shown right after the icon or the request; give it every chance to appear.
    EXPECT_FALSE(WaitUntil([&] { return probe->AnyViewableTitled(Caption); }, std::chrono::milliseconds(1500)));
    startAgain({});
    EXPECT_TRUE(
        WaitUntil([&] { return probe->AnyViewableTitled(Caption); }, std::chrono::milliseconds(StartTimeoutMs)));
    EndProgramCleanly();
}

TEST_F(DesktopTest, WithoutANotificationAreaTheCloseBoxMinimisesInsteadOfHiding)
{
    probe->WatchRoot();
    StartProgram({});
    // Four seconds of waiting for a tray, then the window.
    ASSERT_TRUE(
        WaitUntil([&] { return probe->AnyViewableTitled(Caption); }, std::chrono::milliseconds(StartTimeoutMs)));
    const std::vector<XProbe::Window> windows = probe->TopLevelsTitled(Caption);
    for (const XProbe::Window window : windows) {
        probe->SendDeleteWindow(window);
    }
    // Without a window manager nobody carries out the request, so the window stays mapped and
    // the request to iconify it is what shows.
    EXPECT_TRUE(WaitUntil(
        [&] {
            probe->Drain();
            for (const XProbe::Window window : windows) {
                if (probe->SawIconifyRequest(window)) {
                    return true;
                }
            }
            return false;
        },
        std::chrono::milliseconds(StartTimeoutMs)));
    EXPECT_TRUE(probe->AnyViewableTitled(Caption)) << "not hidden: there is no tray to come back from";
    EXPECT_EQ(program->state(), QProcess::Running);
    EndProgramCleanly();
}
