// The real program on an X display with a message due a few seconds after its start: the reminder
// pops up on top without taking the keyboard or a taskbar entry, the delivery log gets its line, and
// the close box ends the reminder. A reminder put off outlasts the end of the program. With BW_SCREENSHOT_DIR set, the
// pop-up is saved there as reminder-popup.png.
#include "ProgramHome.h"
#include "SystemClock.h"
#include "TestMessages.h"
#include "VirtualDisplay.h"
#include "XProbe.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

constexpr int TimeoutMs = 20000;
const QString Title = QStringLiteral("Water the office plants");

int ColourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

} // namespace

class ReminderDesktopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* needed : {"Xvfb", "trayer"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(needed)).isEmpty()) {
                GTEST_SKIP() << needed << " is not installed";
            }
        }
        ASSERT_TRUE(display.IsRunning());
        probe = std::make_unique<XProbe>(display.Name());
        ASSERT_TRUE(probe->IsConnected());
        // With a tray host, "/m" shows nothing but the icon: the pop-up is alone on the screen.
        trayHost = StartTrayHost(display, *probe);
        ASSERT_TRUE(trayHost);
    }

    void TearDown() override
    {
        for (const auto& process : {program.get(), trayHost.get()}) {
            if (process != nullptr) {
                EndProcess(*process);
            }
        }
    }

    [[nodiscard]] std::optional<XProbe::Window> ShownPopUp()
    {
        for (const XProbe::Window window : probe->TopLevelsTitledEndingWith(QStringLiteral(" - ") + Title)) {
            if (probe->IsViewable(window)) {
                return window;
            }
        }
        return std::nullopt;
    }

    [[nodiscard]] QString LogText() const
    {
        QFile log(QString::fromStdString((home.DataFolder() / "Logs" / "messages.log").string()));
        return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
    }

    VirtualDisplay display;
    std::unique_ptr<XProbe> probe;
    ProgramHome home;
    std::unique_ptr<QProcess> trayHost;
    std::unique_ptr<QProcess> program;
};

TEST_F(ReminderDesktopTest, AMessageDueSoonPopsUpOnTopWithoutTheKeyboardAndIsLogged)
{
    TBWItemList messages;
    auto message = MakeMessage(Title.toStdString(), SystemClock().Now() + 3.0 / 86400.0, 4711);
    message->Author = "Ann";
    message->Text = "The ficus in the hall as well,\r\nand the cactus on Bob's desk (a little only).";
    messages.push_back(std::move(message));
    WritePersonalList(home.DataFolder(), messages);

    program = home.Start({QStringLiteral("/m")}, QStringLiteral("xcb"), display.Name());
    ASSERT_EQ(program->state(), QProcess::Running);
    const XProbe::Window focusBefore = probe->InputFocus();

    std::optional<XProbe::Window> popUp;
    ASSERT_TRUE(WaitFor([&] { return (popUp = ShownPopUp()).has_value(); }, TimeoutMs))
        << program->readAllStandardError().toStdString();
    const QString caption = probe->TitleOf(*popUp);
    EXPECT_TRUE(caption.contains(QRegularExpression(QStringLiteral("^(.* )?\\d\\d:\\d\\d - "))))
        << caption.toStdString();
    EXPECT_TRUE(probe->AsksToStayOnTop(*popUp));
    EXPECT_TRUE(probe->AsksToSkipTaskbar(*popUp)) << "the pop-up has no taskbar entry of its own";
    EXPECT_EQ(probe->UserTime(*popUp), std::optional<std::uint32_t>(0)) << "shown without being activated";
    EXPECT_EQ(probe->InputFocus(), focusBefore) << "the keyboard stays where it was";

    // What the user sees, once the window has been painted.
    QImage picture;
    EXPECT_TRUE(WaitFor([&] { return ColourCount(picture = probe->Grab(*popUp)) > 8; }, TimeoutMs));
    const QString folder = qEnvironmentVariable("BW_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("reminder-popup.png"))));
    }

    ASSERT_TRUE(WaitFor([&] { return LogText().contains(QStringLiteral(" || Simple message || Ann || ") + Title); },
                        TimeoutMs));
    EXPECT_EQ(LogText().count(QLatin1Char('\n')), 1);

    probe->SendDeleteWindow(*popUp);
    EXPECT_TRUE(WaitFor([&] { return !ShownPopUp().has_value(); }, TimeoutMs)) << "the close box ends it";
    EXPECT_EQ(program->state(), QProcess::Running);

    ASSERT_TRUE(Terminate(*program)) << "the program had ended before it was asked to";
    ASSERT_TRUE(program->waitForFinished(TimeoutMs));
    EXPECT_EQ(program->exitCode(), 0) << program->readAllStandardError().toStdString();
}

TEST_F(ReminderDesktopTest, AReminderPutOffComesBackAfterTheProgramWasEndedAndStartedAgain)
{
    // Put off in an earlier run, to come back a few seconds from now.
    const double now = SystemClock().Now();
    TBWItemList postponed;
    postponed.push_back(MakeMessage(Title.toStdString(), now + 5.0 / 86400.0, 4711, KindSimpleMessage, now - 0.01));
    const std::filesystem::path kept = home.DataFolder() / "bwpostponed.dat";
    std::filesystem::create_directories(home.DataFolder());
    SaveItemList(postponed, kept, PersonalListPassword);

    program = home.Start({QStringLiteral("/m")}, QStringLiteral("xcb"), display.Name());
    ASSERT_TRUE(WaitFor([&] { return home.HasStarted(); }, TimeoutMs));
    ASSERT_TRUE(Terminate(*program)) << "the program had ended before it was asked to";
    ASSERT_TRUE(program->waitForFinished(TimeoutMs));
    TBWItemList afterExit;
    ASSERT_EQ(LoadItemList(afterExit, kept, PersonalListPassword), LoadOk);
    EXPECT_EQ(afterExit.size(), 1U) << "the end of the program does not drop it";

    program = home.Start({QStringLiteral("/m")}, QStringLiteral("xcb"), display.Name());
    std::optional<XProbe::Window> popUp;
    ASSERT_TRUE(WaitFor([&] { return (popUp = ShownPopUp()).has_value(); }, TimeoutMs))
        << program->readAllStandardError().toStdString();
    EXPECT_TRUE(probe->AsksToSkipTaskbar(*popUp));
    EXPECT_TRUE(LogText().isEmpty()) << "it was delivered in the earlier run";
}
