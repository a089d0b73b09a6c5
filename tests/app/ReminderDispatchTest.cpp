// Reminders in the main window: its tick delivers due messages as pop-ups with their sound, opens
// programs of the user's own list, asks before programs from a group run, writes the spare copy
// "bwlist.bak", keeps going after a failed tick, and goes on ticking inside a modal dialog. Pop-ups
// open beside each other and ten at most, the rest wait in one window; reminders put off outlast a
// restart. The clock is fake and the ticks are delivered by hand. The scan itself is tested on its
// own elsewhere.
#include "MainMenu.h"
#include "MainWindowFixture.h"
#include "MainWindowTickJobs.h"
#include "ReminderDispatcher.h"
#include "Scheduler.h"
#include "TBWMsgForm.h"
#include "TBWOverflowForm.h"
#include "TBWRunFilesForm.h"
#include "TestMessages.h"
#include "TrayController.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTreeWidget>

#include <set>

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

    static void Press(const QWidget* window, const char* button)
    {
        QTest::mouseClick(window->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    [[nodiscard]] std::vector<TBWMsgForm*> ShownPopUps() const
    {
        std::vector<TBWMsgForm*> shown = PopUps();
        std::erase_if(shown, [](const TBWMsgForm* popUp) { return !popUp->isVisible(); });
        return shown;
    }

    [[nodiscard]] TBWItemList PostponedFile() const
    {
        TBWItemList kept;
        EXPECT_EQ(LoadItemList(kept, dataFolder / "bwpostponed.dat", PersonalListPassword), LoadOk);
        return kept;
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

// A list that lost most of its reminders (a damaged bwlist.dat, a slip of the hand) does not
// replace a good spare copy unasked.
TEST_F(ReminderDispatchTest, AListThatLostMostOfItsRemindersReplacesTheSpareCopyOnlyWhenTheUserSaysSo)
{
    clock.Set(At(8, 0));
    const std::filesystem::path backup = dataFolder / "bwlist.bak";
    SaveItemList(MakeSampleList(10, At(18, 0)), backup, PersonalListPassword);
    const auto spareHolds = [&backup] {
        TBWItemList spare;
        EXPECT_EQ(LoadItemList(spare, backup, PersonalListPassword), LoadOk);
        return spare.size();
    };
    const auto backupTick = [this] {
        form->TickScheduler().SetTickCounter(299);
        TickTimes(1);
        QCoreApplication::processEvents(); // the question comes after the tick
    };
    AddOwn(MakeMessage("Left over", At(18, 0), 7));
    dialogs.confirmAnswers = {false};
    backupTick();
    ASSERT_EQ(dialogs.confirmations.size(), 1U);
    EXPECT_TRUE(dialogs.confirmations[0].prompt.contains(Text("10"))) << dialogs.confirmations[0].prompt.toStdString();
    EXPECT_EQ(spareHolds(), 10U);
    backupTick();
    EXPECT_EQ(dialogs.confirmations.size(), 1U) << "Cancel is not asked again";
    EXPECT_EQ(spareHolds(), 10U);

    // Half as many again: written unasked. Most of them gone once more, and the user agrees.
    for (std::int32_t id = 8; id < 12; ++id) {
        AddOwn(MakeMessage("Again", At(18, 0), id));
    }
    backupTick();
    EXPECT_EQ(spareHolds(), 5U);
    lists.PersonalList.resize(2);
    form->UpdateRowCount();
    dialogs.confirmAnswers = {true};
    backupTick();
    EXPECT_EQ(dialogs.confirmations.size(), 2U);
    EXPECT_EQ(spareHolds(), 2U);
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

TEST_F(ReminderDispatchTest, ADialogOpenedWhileThePullWaitsHoldsBackNoReminder)
{
    clock.Set(At(10, 0));
    AddOwn(MakeMessage("Standup", At(9, 0), 1));
    QTimer* timer = form->findChild<QTimer*>(Text("tickTimer"));
    bool pulled = false;
    bool shownInside = false;
    // The pull lets events run while it waits for its transfers: a command the user starts meanwhile
    // keeps its dialog or box open inside that wait, inside the tick.
    form->SchedulerJobs().SetPullGroups([&] {
        QTimer::singleShot(0, form.get(), [&] {
            const QDeadlineTimer deadline(5000);
            while (PopUps().empty() && !deadline.hasExpired()) {
                QTest::qWait(5);
            }
            shownInside = !PopUps().empty();
            QApplication::activeModalWidget()->close();
        });
        form->Menu().aboutAction->trigger();
        pulled = true;
    });
    form->TickScheduler().SetTickCounter(Scheduler::PullEvery - 1);
    timer->start(1);
    QTRY_VERIFY_WITH_TIMEOUT(pulled, 10000);
    timer->stop();
    EXPECT_TRUE(shownInside);
}

TEST_F(ReminderDispatchTest, TenPopUpsAtMostEachBesideTheLastTheRestWaitInOneWindowAndNoneIsLost)
{
    clock.Set(At(10, 0));
    constexpr int Due = ReminderDispatcher::MaxOpenWindows + 5;
    for (int i = 1; i <= Due; ++i) {
        AddOwn(MakeMessage("Reminder " + std::to_string(i), At(9, 0), i));
    }
    TickTimes(Scheduler::ScanEvery);
    QCoreApplication::processEvents();
    EXPECT_EQ(LogLines().size(), std::size_t{Due}) << "every one is delivered";
    EXPECT_EQ(sound.played.size(), 1U) << "one alert for the lot";
    ASSERT_EQ(ShownPopUps().size(), std::size_t{ReminderDispatcher::MaxOpenWindows});
    std::set<std::pair<int, int>> places;
    for (const TBWMsgForm* popUp : ShownPopUps()) {
        places.emplace(popUp->x(), popUp->y());
        EXPECT_TRUE(popUp->screen()->availableGeometry().contains(popUp->frameGeometry()));
    }
    EXPECT_EQ(places.size(), ShownPopUps().size()) << "no two pop-ups in the same place";

    TBWOverflowForm& overflow = form->Reminders().Overflow();
    auto* waiting = overflow.findChild<QTreeWidget*>(Text("reminderList"));
    EXPECT_TRUE(overflow.isVisible());
    EXPECT_EQ(overflow.windowTitle(), Text("More reminders (5)"));
    ASSERT_EQ(waiting->topLevelItemCount(), 5);
    EXPECT_EQ(waiting->topLevelItem(0)->text(0), Text("09:00"));
    EXPECT_EQ(waiting->topLevelItem(0)->text(1), Text("Reminder 11"));
    EXPECT_EQ(waiting->topLevelItem(0)->text(2), Text("Ann"));

    // A pop-up closed makes room for the next one waiting; Open brings one up at once, whatever is open.
    Press(ShownPopUps().front(), "okButton");
    QCoreApplication::processEvents();
    EXPECT_EQ(ShownPopUps().size(), std::size_t{ReminderDispatcher::MaxOpenWindows});
    EXPECT_EQ(ShownPopUps().back()->windowTitle(), Text("09:00 - Reminder 11"));
    waiting->setCurrentItem(waiting->topLevelItem(1));
    Press(&overflow, "openButton");
    EXPECT_EQ(ShownPopUps().back()->windowTitle(), Text("09:00 - Reminder 13"));
    Press(&overflow, "dismissButton");
    EXPECT_EQ(waiting->topLevelItemCount(), 2);
    Press(&overflow, "dismissAllButton");
    EXPECT_EQ(waiting->topLevelItemCount(), 0);
    EXPECT_FALSE(overflow.isVisible());
}

TEST_F(ReminderDispatchTest, APostponedReminderIsShownAsSuchOutlastsARestartAndGoesWhenClosed)
{
    clock.Set(At(10, 0));
    AddOwn(MakeMessage("Standup", At(9, 30), 1));
    TickTimes(Scheduler::ScanEvery);
    ASSERT_EQ(PopUps().size(), 1U);
    Press(PopUps().front(), "later10Button");
    const auto expectPostponed = [this] {
        EXPECT_EQ(Cell(0, 0), Text("postponed until 10:10"));
        EXPECT_EQ(form->Tray().Icon()->toolTip(), Text("Bellwick — next: Standup, postponed until 10:10"));
    };
    expectPostponed();
    ASSERT_EQ(PostponedFile().size(), 1U);
    const auto mode = std::filesystem::status(dataFolder / "bwpostponed.dat").permissions();
    EXPECT_EQ(mode & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
              std::filesystem::perms::none);

    // The program ends and starts again four minutes later.
    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    form.reset();
    lists.PersonalList.clear();
    clock.Set(At(10, 4));
    StartAs(Text("Ann"));
    ASSERT_EQ(PopUps().size(), 1U);
    TBWMsgForm* popUp = PopUps().front();
    EXPECT_FALSE(popUp->isVisible());
    // The list file keeps moments to 8.64 seconds.
    EXPECT_NEAR(popUp->DelayTimer().interval(), 6 * 60000, 4320);
    expectPostponed();

    popUp->DelayTimer().start(0);
    QTRY_VERIFY_WITH_TIMEOUT(popUp->isVisible(), 2000);
    EXPECT_EQ(popUp->windowTitle(), Text("09:30 - Standup"));
    EXPECT_EQ(sound.played.size(), 1U) << "coming back plays no sound";
    EXPECT_EQ(PostponedFile().size(), 1U) << "kept until closed for good";
    Press(popUp, "okButton");
    EXPECT_TRUE(PostponedFile().empty());
    EXPECT_EQ(Cell(0, 0), Text("09:30")) << "the list shows the due time again";
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
