// The start steps and the shutdown save of the main window: folders, name, caption, preferences and
// the list files.
#include "MainWindowFixture.h"
#include "ReminderDispatcher.h"
#include "Scheduler.h"
#include "TestMessages.h"

#include <QFile>
#include <QFileInfo>

#include <fstream>

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

QByteArray ReadBytes(const std::filesystem::path& file)
{
    QFile in(QString::fromStdString(file.string()));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace

TEST_F(MainWindowTest, FirstStartMakesTheFolderTreeAndAsksTheNameUntilOneIsGiven)
{
    dialogs.answers = {std::nullopt, Text(""), Text("Ann")};
    MakeForm();
    form->RunStartSteps();

    for (const char* sub : {"", "BWELists", "BWLists", "Logs"}) {
        const QFileInfo folder(QString::fromStdString((dataFolder / sub).string()));
        EXPECT_TRUE(folder.isDir()) << sub;
        EXPECT_EQ(folder.permissions() & (OwnerOnly | QFileDevice::ReadOther | QFileDevice::ReadGroup), OwnerOnly)
            << sub;
    }
    ASSERT_EQ(dialogs.questions.size(), 3U) << "Cancel and an empty name bring the box back";
    EXPECT_EQ(dialogs.questions[0].caption, Text("User name"));
    EXPECT_EQ(dialogs.questions[0].prompt, Text("Enter your name"));
    EXPECT_EQ(form->windowTitle(), Text("Bellwick (Ann)"));
    EXPECT_TRUE(lists.PersonalList.empty());
    EXPECT_TRUE(lists.GroupList.empty());
    EXPECT_EQ(form->CurrentPreferences().SortColumn, 0);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(MainWindowTest, TheFirstExitWritesTheNineGeneralAndNineSoundValuesWhichTheNextStartReads)
{
    dialogs.answers = {Text("Ann")};
    MakeForm();
    form->RunStartSteps();
    EXPECT_TRUE(form->Menu().autoSortAction->isChecked());
    EXPECT_TRUE(form->Menu().enableSoundsAction->isChecked());
    EXPECT_TRUE(form->Menu().showHintsAction->isChecked());
    EXPECT_FALSE(form->CurrentPreferences().ChimeEnabled);
    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });

    using Key = MemoryPreferencesStore::Key;
    const std::map<Key, StoredValue> expected = {
        {Key(Text("General"), Text("UserName")), Text("Ann")},
        {Key(Text("General"), Text("EnableSounds")), Text("1")},
        {Key(Text("General"), Text("ShowHints")), Text("1")},
        {Key(Text("General"), Text("AutoSort")), Text("1")},
        {Key(Text("General"), Text("StartWithDesktop")), Text("0")},
        {Key(Text("General"), Text("DesktopNotifications")), Text("0")},
        {Key(Text("General"), Text("SortNom")), std::int32_t{0}},
        {Key(Text("General"), Text("SortObrat")), Text("0")},
        {Key(Text("General"), Text("ShowTeamReminders")), Text("1")},
        {Key(Text("Sound"), Text("Wav1")), Text("s1.wav")},
        {Key(Text("Sound"), Text("Wav2")), Text("s2.wav")},
        {Key(Text("Sound"), Text("Wav3")), Text("s3.wav")},
        {Key(Text("Sound"), Text("Wav4")), Text("s4.wav")},
        {Key(Text("Sound"), Text("Wav5")), Text("s5.wav")},
        {Key(Text("Sound"), Text("Wav6")), Text("s6.wav")},
        {Key(Text("Sound"), Text("Wav7")), Text("s7.wav")},
        {Key(Text("Sound"), Text("Wav8")), Text("s8.wav")},
        {Key(Text("Sound"), Text("Wav9")), Text("s9.wav")},
    };
    EXPECT_EQ(preferences.values, expected) << "FXH1Alert is read, never written";
    EXPECT_EQ(preferences.flushes, 1);

    // The next start: the check marks and the order come back, and nobody is asked for a name.
    form->Menu().enableSoundsAction->setChecked(false);
    form->Menu().showHintsAction->setChecked(false);
    form->Menu().autoSortAction->setChecked(false);
    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    EXPECT_EQ(preferences.values.at(Key(Text("General"), Text("SortNom"))), StoredValue(std::int32_t{-1}))
        << "Autosort off stores -1";
    form.reset();
    MakeForm();
    form->RunStartSteps();
    EXPECT_EQ(dialogs.questions.size(), 1U);
    EXPECT_FALSE(form->Menu().enableSoundsAction->isChecked());
    EXPECT_FALSE(form->Menu().showHintsAction->isChecked());
    EXPECT_FALSE(form->Menu().autoSortAction->isChecked());
    EXPECT_EQ(form->CurrentPreferences().SortColumn, -1);
    EXPECT_EQ(form->windowTitle(), Text("Bellwick (Ann)"));
}

TEST_F(MainWindowTest, PreferencesAreReadInEitherFormAndUnreadableValuesGiveTheDefaults)
{
    preferences.Write(Text("General"), Text("SortNom"), Text("2"));
    preferences.Write(Text("General"), Text("SortObrat"), std::int32_t{5});
    preferences.Write(Text("General"), Text("EnableSounds"), Text("yes"));
    preferences.Write(Text("General"), Text("ShowHints"), std::int32_t{0});
    preferences.Write(Text("General"), Text("FXH1Alert"), Text("1"));
    preferences.Write(Text("Sound"), Text("Wav1"), Text("/home/ann/gong.wav"));
    StartAs(Text("Ann"));

    const Preferences read = form->CurrentPreferences();
    EXPECT_EQ(read.SortColumn, 2);
    EXPECT_TRUE(read.SortReversed);
    EXPECT_TRUE(read.EnableSounds) << "a text that is no number reads as the default";
    EXPECT_FALSE(read.ShowHints);
    EXPECT_TRUE(read.ChimeEnabled);
    EXPECT_EQ(read.AlertSounds[0], Text("/home/ann/gong.wav"));
    EXPECT_EQ(read.AlertSounds[8], Text("s9.wav"));

    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    using Key = MemoryPreferencesStore::Key;
    EXPECT_EQ(preferences.values.at(Key(Text("General"), Text("SortNom"))), StoredValue(Text("2")))
        << "a number stored as text stays text";
    EXPECT_EQ(preferences.values.at(Key(Text("General"), Text("SortObrat"))), StoredValue(Text("1")));
    EXPECT_EQ(preferences.values.at(Key(Text("General"), Text("FXH1Alert"))), StoredValue(Text("1")));
}

TEST_F(MainWindowTest, NoTickRunsBeforeThePreferencesAreRead)
{
    // Sounds and Autosort off; the list out of order, one message due; a damaged working list
    // of a group, whose box comes up while the lists load.
    preferences.Write(Text("General"), Text("EnableSounds"), Text("0"));
    preferences.Write(Text("General"), Text("AutoSort"), Text("0"));
    TBWItemList personal;
    personal.push_back(MakeMessage("Later", Noon() + 0.25, 1));
    personal.push_back(MakeMessage("Due", Noon() - 0.25, 2));
    WritePersonalList(dataFolder, personal);
    TBWGroupList groups;
    groups.push_back(MakeGroup("Sales", "north-wind", true));
    ASSERT_TRUE(SaveGroupList(groups, dataFolder / "glist.dat"));
    std::filesystem::create_directories(dataFolder / "BWELists");
    std::ofstream(dataFolder / "BWELists" / "Sales") << "not a list";
    dialogs.whileErrorOpen = [this] { TickTimes(Scheduler::ScanEvery); };

    StartAs(Text("Ann"));
    ASSERT_EQ(dialogs.errors.size(), 1U);
    dialogs.whileErrorOpen = nullptr;
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Later", "Due"}));
    TickTimes(Scheduler::ScanEvery);
    EXPECT_EQ(form->Reminders().Reminders().size(), 1U) << "delivered once the preferences were read";
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Later", "Due"}));
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(MainWindowTest, AStartLoadsTheThreeKindsOfFilesAndTheExitWritesThemBack)
{
    // The group list, the personal list and the working list of the enabled group.
    TBWGroupList groups;
    groups.push_back(MakeGroup("Sales", "north-wind", true));
    groups.push_back(MakeGroup("Dev", "blue-kettle", false));
    std::filesystem::create_directories(dataFolder / "BWELists");
    ASSERT_TRUE(SaveGroupList(groups, dataFolder / "glist.dat"));
    TBWItemList personal;
    personal.push_back(MakeMessage("Call the dentist", Noon() + 1, 11));
    personal.push_back(MakeMessage("Team meeting", Noon() + 2, 12));
    WritePersonalList(dataFolder, personal);
    TBWItemList sales;
    sales.push_back(MakeMessage("Send the weekly figures", Noon() + 3, 21));
    SaveItemList(sales, dataFolder / "BWELists" / "Sales", "north-wind");

    StartAs(Text("Ann"));
    ASSERT_EQ(lists.GroupList.size(), 2U);
    EXPECT_EQ(lists.GroupList[1]->Name, "Dev");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Call the dentist", "Team meeting"})) << "the file's order";
    EXPECT_EQ(ListView()->model()->rowCount(), 3) << "the personal rows, then the group's";
    ASSERT_EQ(lists.GroupItemLists.Count(), 1U) << "only the enabled group has a working list";
    ASSERT_NE(lists.GroupItemLists.Find("sales"), nullptr);
    EXPECT_EQ(lists.GroupItemLists.Find("Sales")->at(0)->Title, "Send the weekly figures");

    // What changed in memory reaches the files at the exit.
    lists.PersonalList.push_back(MakeMessage("Water the plants", Noon() + 4, 13));
    lists.GroupItemLists.Find("Sales")->front()->LastDueTime = Noon();
    lists.GroupList[1]->Location = "ftp://ftp.example.com/dev.dat";
    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });

    TBWItemList personalAfter;
    ASSERT_EQ(LoadItemList(personalAfter, dataFolder / "bwlist.dat", PersonalListPassword), LoadOk);
    EXPECT_EQ(personalAfter.size(), 3U);
    EXPECT_EQ(personalAfter[2]->Title, "Water the plants");
    TBWItemList salesAfter;
    ASSERT_EQ(LoadItemList(salesAfter, dataFolder / "BWELists" / "Sales", "north-wind"), LoadOk);
    EXPECT_DOUBLE_EQ(salesAfter[0]->LastDueTime, Noon());
    TBWGroupList groupsAfter;
    ASSERT_TRUE(LoadGroupList(groupsAfter, dataFolder / "glist.dat"));
    EXPECT_EQ(groupsAfter[1]->Location, "ftp://ftp.example.com/dev.dat");
    EXPECT_FALSE(std::filesystem::exists(dataFolder / "BWELists" / "Dev")) << "a disabled group's list is not written";
    const auto mode = std::filesystem::status(dataFolder / "bwlist.dat").permissions();
    EXPECT_EQ(mode & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
              std::filesystem::perms::none);
}

TEST_F(MainWindowTest, ADamagedListFileIsKeptBesideItselfBeforeAnythingCanOverwriteIt)
{
    std::filesystem::create_directories(dataFolder);
    static constexpr char bytes[] = "\x20\x00\x00\x00 this is not a message list at all....";
    const QByteArray damaged(bytes, sizeof bytes - 1);
    {
        QFile out(QString::fromStdString((dataFolder / "bwlist.dat").string()));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(damaged);
    }
    StartAs(Text("Ann"));

    ASSERT_EQ(dialogs.errors.size(), 1U);
    EXPECT_TRUE(dialogs.errors[0].contains(Text("bwlist.dat"))) << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.errors[0].contains(Text("bwlist.dat.damaged"))) << dialogs.errors[0].toStdString();
    EXPECT_EQ(ReadBytes(dataFolder / "bwlist.dat.damaged"), damaged);
    EXPECT_EQ(form->windowTitle(), Text("Bellwick (Ann)")) << "the start goes on";

    // The exit writes the list as it is now; the kept copy stays, and a second damage gets its own.
    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    EXPECT_EQ(ReadBytes(dataFolder / "bwlist.dat.damaged"), damaged);
    {
        QFile out(QString::fromStdString((dataFolder / "bwlist.dat").string()));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("junk");
    }
    form.reset();
    lists.PersonalList.clear();
    StartAs(Text("Ann"));
    EXPECT_EQ(ReadBytes(dataFolder / "bwlist.dat.damaged-2"), QByteArray("junk"));
}

TEST_F(MainWindowTest, AFailedSaveIsReportedAndTheOtherFilesAreStillWritten)
{
    StartAs(Text("Ann"));
    lists.PersonalList.push_back(MakeMessage("Team meeting", Noon() + 1, 12));
    preferences.failFlush = true;
    std::vector<QString> reports;
    form->ShutdownSave([&](const QString& text) { reports.push_back(text); });
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_TRUE(reports[0].contains(Text("preferences")));
    TBWItemList saved;
    EXPECT_EQ(LoadItemList(saved, dataFolder / "bwlist.dat", PersonalListPassword), LoadOk);
    EXPECT_EQ(saved.size(), 1U);
    EXPECT_TRUE(std::filesystem::exists(dataFolder / "glist.dat"));
}

TEST_F(MainWindowTest, TheEndOfTheSessionSavesAtOnceAndLetsTheCloseGoAhead)
{
    StartAs(Text("Ann"));
    form->FinishStart(false);
    lists.PersonalList.push_back(MakeMessage("Team meeting", Noon() + 1, 12));
    form->SaveForSessionEnd([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    TBWItemList saved;
    EXPECT_EQ(LoadItemList(saved, dataFolder / "bwlist.dat", PersonalListPassword), LoadOk);
    EXPECT_EQ(saved.size(), 1U);
    EXPECT_EQ(preferences.flushes, 1);
    EXPECT_TRUE(form->close()) << "the session may close the window";
    EXPECT_TRUE(form->ExitRequested());
}
