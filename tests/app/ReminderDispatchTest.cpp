// Reminders in the main window: its tick delivers due messages as pop-ups with their sound, opens
// programs of the user's own list, asks before programs from a group run, writes the spare copy
// "bwlist.bak", keeps going after a failed tick, and goes on ticking inside a modal dialog. The
// clock is fake and the ticks are delivered by hand. The scan itself is tested on its own elsewhere.
#include "MainMenu.h"
#include "MainWindowFixture.h"
#include "MainWindowTickJobs.h"
#include "ReminderDispatcher.h"
#include "Scheduler.h"
#include "TBWMsgForm.h"
#include "TBWRunFilesForm.h"
#include "TestMessages.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

class ReminderDispatchTest : public MainWindowTest
{
protected:
    // Thursday, 14 March 2024.
    static double At(int hour, int minute, int second = 0) { return EncodeDateTime(2024, 3, 14, hour, minute, second); }

    void SetUp() override
    {
        clock.Set(At(9, 59, 58));
        StartAs(Text("Ann"));
    }

    TBWItem& AddOwn(std::unique_ptr<TBWItem> message)
    {
        lists.PersonalList.push_back(std::move(message));
        form->UpdateRowCount();
        return *lists.PersonalList.back();
    }

    TBWItemList& AddGroup(const std::string& name, bool enabled)
    {
        lists.GroupList.push_back(MakeGroup(name, "secret", enabled));
        return lists.GroupItemLists.Add(name, std::make_unique<TBWItemList>());
    }

    [[nodiscard]] std::vector<TBWMsgForm*> PopUps() const { return form->Reminders().Reminders(); }

    [[nodiscard]] std::vector<std::string> LogLines() const
    {
        const std::filesystem::path log = dataFolder / "Logs" / "messages.log";
        QFile file(QString::fromStdString(log.string()));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        TStringList lines;
        SplitLines(file.readAll().toStdString(), lines);
        return lines;
    }

    static std::unique_ptr<TBWItem> Programs(const std::string& title, double due, std::int32_t id)
    {
        auto message = MakeMessage(title, due, id, KindExecuteFiles);
        message->Text = "\"/opt/tools/a b\" -x\r\nnotepad.exe readme.txt";
        return message;
    }
};

TEST_F(ReminderDispatchTest, AMessageDueAtTenIsShownByTheFirstScanAtOrAfterItWithItsSoundAndLogLineAndOnlyOnce)
{
    AddOwn(MakeMessage("Standup", At(10, 0), 1));
    TickTimes(4);
    EXPECT_EQ(form->TickScheduler().TickCounter(), 4);
    TickTimes(1); // the first scan, at 09:59:58
    EXPECT_TRUE(PopUps().empty());

    clock.Set(At(10, 0, 3));
    TickTimes(4);
    EXPECT_TRUE(PopUps().empty()) << "no scan between the fifth ticks";
    TickTimes(1);
    ASSERT_EQ(PopUps().size(), 1U);
    const TBWMsgForm* popUp = PopUps().front();
    EXPECT_EQ(popUp->windowTitle(), Text("10:00 - Standup"));
    EXPECT_TRUE(popUp->isVisible());
    EXPECT_EQ(popUp->parentWidget(), nullptr);
    EXPECT_EQ(sound.played, std::vector<QString>{Text("s1.wav")}) << "Enable sounds is on for a new user";
    EXPECT_EQ(LogLines(), std::vector<std::string>{
                              "3/14/24 10:00:03 AM || 3/14/24 10:00:00 AM || Simple message || Ann || Standup"});

    clock.Set(At(10, 0, 8));
    TickTimes(10);
    EXPECT_EQ(PopUps().size(), 1U);
    EXPECT_EQ(LogLines().size(), 1U);
    EXPECT_EQ(sound.played.size(), 1U);
}

TEST_F(ReminderDispatchTest, TheSoundFollowsEnableSoundsAndTheFirstSoundName)
{
    clock.Set(At(10, 0));
    form->Menu().enableSoundsAction->trigger(); // off
    AddOwn(MakeMessage("Quiet", At(9, 0), 1));
    TickTimes(5);
    EXPECT_EQ(PopUps().size(), 1U);
    EXPECT_TRUE(sound.played.empty());

    form->Menu().enableSoundsAction->trigger(); // on again
    AddOwn(MakeMessage("Loud", At(9, 0), 2));
    TickTimes(5);
    EXPECT_EQ(PopUps().size(), 2U);
    EXPECT_EQ(sound.played, std::vector<QString>{Text("s1.wav")});
}

TEST_F(ReminderDispatchTest, AnEmptyFirstSoundNameStaysSilent)
{
    form.reset();
    preferences.Write(Text("Sound"), Text("Wav1"), Text(""));
    StartAs(Text("Ann"));
    clock.Set(At(10, 0));
    AddOwn(MakeMessage("Silent", At(9, 0), 1));
    TickTimes(5);
    EXPECT_EQ(PopUps().size(), 1U);
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(ReminderDispatchTest, TheSpareCopyIsWrittenAtTick300WithThePersonalList)
{
    clock.Set(At(8, 0));
    AddOwn(MakeMessage("Later", At(18, 0), 7));
    AddOwn(MakeMessage("Tomorrow", At(18, 0) + 1.0, 8));
    const std::filesystem::path backup = dataFolder / "bwlist.bak";
    TickTimes(299);
    EXPECT_FALSE(std::filesystem::exists(backup));
    TickTimes(1);
    ASSERT_TRUE(std::filesystem::exists(backup));
    TBWItemList copy;
    ASSERT_EQ(LoadItemList(copy, backup, "58203"), LoadOk);
    ASSERT_EQ(copy.size(), 2U);
    EXPECT_EQ(copy[0]->Id, 7);
    EXPECT_EQ(copy[1]->Title, "Tomorrow");
}

TEST_F(ReminderDispatchTest, AFailingBackupEndsItsTickWithTheErrorBoxAndTheNextScanGoesOn)
{
    std::filesystem::create_directories(dataFolder / "bwlist.bak"); // a folder cannot be written as a file
    clock.Set(At(10, 0));
    AddOwn(MakeMessage("Standup", At(9, 0), 1));
    form->TickScheduler().SetTickCounter(299);
    TickTimes(1);
    EXPECT_EQ(dialogs.errors.size(), 1U);
    EXPECT_TRUE(PopUps().empty()) << "the failure ended the tick before its scan";
    TickTimes(5);
    EXPECT_EQ(PopUps().size(), 1U);
    EXPECT_EQ(dialogs.errors.size(), 1U);
}

TEST_F(ReminderDispatchTest, ProgramsOfTheUsersOwnListOpenThroughTheShell)
{
    clock.Set(At(10, 0));
    AddOwn(Programs("Tools", At(9, 0), 1));
    shell.missing = QStringList{Text("notepad.exe")};
    TickTimes(5);
    ASSERT_EQ(shell.calls.size(), 2U);
    EXPECT_EQ(shell.calls[0].target, Text("/opt/tools/a b"));
    EXPECT_EQ(shell.calls[0].parameters, Text("-x"));
    EXPECT_EQ(shell.calls[1].target, Text("notepad.exe"));
    EXPECT_EQ(shell.calls[1].parameters, Text("readme.txt"));
    EXPECT_TRUE(PopUps().empty());
    EXPECT_TRUE(form->Reminders().RunQuestions().empty());
    EXPECT_TRUE(sound.played.empty()) << "no sound for programs";
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_NE(lines[0].find(" || Execute files || Ann || Tools"), std::string::npos);
    // What could not be opened is told once the scan is over.
    EXPECT_TRUE(dialogs.errors.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs.errors.size(), 1U);
    EXPECT_TRUE(dialogs.errors[0].contains(Text("\"Tools\" could not open \"notepad.exe\"")));
}

TEST_F(ReminderDispatchTest, ProgramsFromAGroupAskFirstAndRunOnlyOnRun)
{
    clock.Set(At(10, 0));
    AddGroup("Sales", true).push_back(Programs("Export", At(9, 0), 1));
    AddGroup("Empty", true).push_back(MakeMessage("Nothing to run", At(9, 0), 2, KindExecuteFiles));
    TickTimes(5);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(LogLines().size(), 2U) << "both deliveries are logged when they happen";
    ASSERT_EQ(form->Reminders().RunQuestions().size(), 1U) << "nothing to run, nothing to ask";
    QPointer<TBWRunFilesForm> question = form->Reminders().RunQuestions().front();
    EXPECT_TRUE(question->isVisible());
    EXPECT_EQ(question->findChild<QLabel*>(Text("groupLabel"))->text(), Text("Sales"));

    shell.missing = QStringList{Text("/opt/tools/a b")};
    QTest::mouseClick(question->findChild<QPushButton*>(Text("runButton")), Qt::LeftButton);
    ASSERT_EQ(shell.calls.size(), 2U);
    EXPECT_EQ(shell.calls[0].target, Text("/opt/tools/a b"));
    EXPECT_EQ(shell.calls[1].target, Text("notepad.exe"));
    ASSERT_EQ(dialogs.errors.size(), 1U);
    EXPECT_TRUE(dialogs.errors[0].contains(Text("could not open \"/opt/tools/a b\"")));
    ASSERT_EQ(LogLines().size(), 3U);
    EXPECT_NE(LogLines()[2].find(" || Execute files, run || "), std::string::npos);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(question.isNull());
    EXPECT_TRUE(form->Reminders().RunQuestions().empty());
}

TEST_F(ReminderDispatchTest, AutosortMovesADeliveredDailyMessageDownAndTheListIsRepainted)
{
    clock.Set(At(10, 0));
    auto daily = MakeMessage("Daily", At(9, 0), 1);
    daily->RepeatKind = RepeatDaily;
    AddOwn(std::move(daily));
    AddOwn(MakeMessage("Evening", At(20, 0), 2));
    EXPECT_EQ(Cell(0, 2), Text("Daily"));
    TickTimes(5);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Evening", "Daily"}));
    EXPECT_EQ(Cell(1, 0), Text("3/15/24 Fri 09:00"));
}

TEST_F(ReminderDispatchTest, TheChimeIsSwitchedByThePreferencesAndBeepsThroughTheSpeaker)
{
    EXPECT_FALSE(form->TickScheduler().ChimeEnabled());
    form.reset();
    preferences.Write(Text("General"), Text("FXH1Alert"), Text("1"));
    StartAs(Text("Ann"));
    EXPECT_TRUE(form->TickScheduler().ChimeEnabled());
    clock.Set(EncodeDateTime(2024, 3, 12, 9, 57, 5)); // a Tuesday
    TickTimes(10);
    ASSERT_EQ(sound.beeps.size(), 1U);
    EXPECT_EQ(sound.beeps[0].frequencyHz, 1000);
    EXPECT_EQ(sound.beeps[0].durationMs, 300);
}

TEST_F(ReminderDispatchTest, ALogThatCannotBeWrittenIsShownOnceAfterTheScan)
{
    std::filesystem::create_directories(dataFolder / "Logs" / "messages.log");
    clock.Set(At(10, 0));
    AddOwn(MakeMessage("First", At(9, 0), 1));
    AddOwn(MakeMessage("Second", At(9, 30), 2));
    TickTimes(5);
    EXPECT_EQ(PopUps().size(), 2U) << "the reminders are shown all the same";
    EXPECT_TRUE(dialogs.errors.empty()) << "no modal box while the scan walks the lists";
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.errors.size(), 1U);
}

TEST_F(ReminderDispatchTest, TicksGoOnWhileAModalDialogIsOpen)
{
    clock.Set(At(10, 0));
    AddOwn(MakeMessage("Standup", At(9, 0), 1));
    QTimer* timer = form->findChild<QTimer*>(Text("tickTimer"));
    timer->start(1); // the window's own timer, only faster
    bool shownInside = false;
    QTimer::singleShot(0, form.get(), [&] {
        const QDeadlineTimer deadline(5000);
        while (PopUps().empty() && !deadline.hasExpired()) {
            QTest::qWait(5);
        }
        shownInside = !PopUps().empty();
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialog->close();
        }
    });
    form->Menu().aboutAction->trigger(); // modal until closed above
    timer->stop();
    EXPECT_TRUE(shownInside);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ReminderDispatchTest, RemindersStillOpenGoWithTheProgram)
{
    clock.Set(At(10, 0));
    AddOwn(MakeMessage("Standup", At(9, 0), 1));
    AddGroup("Sales", true).push_back(Programs("Export", At(9, 0), 2));
    TickTimes(5);
    ASSERT_EQ(PopUps().size(), 1U);
    QPointer<TBWMsgForm> popUp = PopUps().front();
    QPointer<TBWRunFilesForm> question = form->Reminders().RunQuestions().front();
    form.reset();
    EXPECT_TRUE(popUp.isNull());
    EXPECT_TRUE(question.isNull());
}
