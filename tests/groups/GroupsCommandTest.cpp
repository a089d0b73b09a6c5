// The groups as the main window runs them, over fakes: the Groups command, the report of a publish
// and the notice of a pull's problems. The group locations are folders in the test's home.
#include "Container.h"
#include "GroupCommands.h"
#include "MainWindowFixture.h"
#include "MainWindowTickJobs.h"
#include "MemorySecretStore.h"
#include "PullProblemNotice.h"
#include "ReminderDispatcher.h"
#include "Scheduler.h"
#include "ShownText.h"
#include "TBWGroupEditForm.h"
#include "TBWGroupsForm.h"
#include "TBWMsgForm.h"
#include "TransferCenter.h"
#include "TrayController.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTextDocument>
#include <QTimer>

#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class GroupsCommandTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        fs::create_directories(Share());
        fs::create_directories(dataFolder / "BWELists");
        TBWGroupList groups;
        for (const auto& [name, enabled] :
             {std::pair{"Sales", true}, std::pair{"Dev", true}, std::pair{"Ops", false}}) {
            auto group = std::make_unique<TBWListLocation>();
            group->Name = name;
            group->Location = (Share() / (std::string(name) + ".dat")).string();
            group->Password = std::string(name) + " pw";
            group->Enabled = enabled;
            group->DetectLocationKind();
            SaveItemList(TBWItemList{}, group->Location, group->Password);
            groups.push_back(std::move(group));
        }
        ASSERT_TRUE(SaveGroupList(groups, dataFolder / "glist.dat"));
        for (const char* name : {"Sales", "Dev"}) {
            TBWItemList items;
            items.push_back(Message(name[0] == 'S' ? 10 : 20, std::string(name) + " standup"));
            SaveItemList(items, WorkingFile(name), std::string(name) + " pw");
        }
        // A desktop with a password store: the start moves the passwords out of glist.dat.
        context.secrets = &secrets;
        StartAs(Text("Ann"));
    }

    fs::path Share() const { return fs::path(home.path().toStdString()) / "share"; }
    fs::path WorkingFile(const std::string& name) const { return dataFolder / "BWELists" / name; }

    static std::unique_ptr<TBWItem> Message(std::int32_t id, const std::string& title)
    {
        auto item = std::make_unique<TBWItem>();
        item->Id = id;
        item->Title = title;
        item->Author = "Bob";
        item->DueTime = Noon() + 1;
        item->ActivateAllDays();
        return item;
    }

    // Opens the groups dialog from the menu; the action runs on the dialog while it is shown.
    void RunGroupsCommand(const std::function<void(TBWGroupsForm&)>& action)
    {
        TBWGroupsForm& dialog = form->Groups().GroupsForm();
        bool shown = false;
        QTimer::singleShot(0, &dialog, [&] {
            shown = dialog.isVisible();
            action(dialog);
            if (dialog.isVisible()) {
                dialog.reject();
            }
        });
        form->Menu().groupsAction->trigger();
        EXPECT_TRUE(shown);
    }

    static void SetChecked(TBWGroupsForm& dialog, int row, bool checked)
    {
        dialog.findChild<QListWidget*>(Text("groupList"))
            ->item(row)
            ->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }

    static void Press(TBWGroupsForm& dialog, const char* button)
    {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    }

    [[nodiscard]] TBWGroupList GroupListFile() const
    {
        TBWGroupList groups;
        EXPECT_TRUE(LoadGroupList(groups, dataFolder / "glist.dat"));
        return groups;
    }

    [[nodiscard]] QMessageBox* PullBox() const { return form->findChild<QMessageBox*>(Text("pullProblemMessageBox")); }

    MemorySecretStore secrets;
};

TEST_F(GroupsCommandTest, CancelChangesAndWritesNothing)
{
    ASSERT_TRUE(form->Menu().groupsAction->isEnabled());
    const std::string listBefore = Bytes(dataFolder / "glist.dat");
    const std::string devBefore = Bytes(WorkingFile("Dev"));
    TBWItemList* devList = lists.GroupItemLists.Find("Dev");
    ASSERT_NE(devList, nullptr);
    // Delivery progress held only in memory, as the due scan leaves it.
    (*devList)[0]->LastDueTime = Noon();

    RunGroupsCommand([](TBWGroupsForm& dialog) {
        SetChecked(dialog, 1, false);
        SetChecked(dialog, 2, true);
        Press(dialog, "cancelButton");
    });

    EXPECT_EQ(Bytes(dataFolder / "glist.dat"), listBefore);
    EXPECT_EQ(Bytes(WorkingFile("Dev")), devBefore);
    EXPECT_FALSE(fs::exists(WorkingFile("Ops")));
    ASSERT_EQ(lists.GroupList.size(), 3U);
    EXPECT_TRUE(lists.GroupList[1]->Enabled);
    EXPECT_FALSE(lists.GroupList[2]->Enabled);
    EXPECT_EQ(lists.GroupItemLists.Find("Dev"), devList);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(GroupsCommandTest, OkWritesTheGroupListAtOnceAndRebuildsTheWorkingLists)
{
    (*lists.GroupItemLists.Find("Dev"))[0]->LastDueTime = Noon();
    (*lists.GroupItemLists.Find("Sales"))[0]->LastDueTime = Noon() - 1;

    RunGroupsCommand([](TBWGroupsForm& dialog) {
        SetChecked(dialog, 1, false); // Dev off
        SetChecked(dialog, 2, true);  // Ops on
        Press(dialog, "okButton");
    });

    // The file holds the dialog's groups now, not at the end of the run.
    const TBWGroupList onDisk = GroupListFile();
    ASSERT_EQ(onDisk.size(), 3U);
    EXPECT_TRUE(onDisk[0]->Enabled);
    EXPECT_FALSE(onDisk[1]->Enabled);
    EXPECT_TRUE(onDisk[2]->Enabled);
    EXPECT_FALSE(lists.GroupList[1]->Enabled);

    // Dev's list was written once more, with its progress, and its messages are no longer worked on.
    EXPECT_EQ(lists.GroupItemLists.Find("Dev"), nullptr);
    TBWItemList devOnDisk;
    ASSERT_EQ(LoadItemList(devOnDisk, WorkingFile("Dev"), "Dev pw"), LoadOk);
    ASSERT_EQ(devOnDisk.size(), 1U);
    EXPECT_EQ(devOnDisk[0]->LastDueTime, UnitsToDateTime(DateTimeToUnits(Noon())));
    // Sales was saved and read back with its progress; Ops starts empty and is filled by a pull.
    ASSERT_NE(lists.GroupItemLists.Find("Sales"), nullptr);
    ASSERT_EQ(lists.GroupItemLists.Find("Sales")->size(), 1U);
    EXPECT_EQ((*lists.GroupItemLists.Find("Sales"))[0]->LastDueTime, UnitsToDateTime(DateTimeToUnits(Noon() - 1)));
    ASSERT_NE(lists.GroupItemLists.Find("Ops"), nullptr);
    EXPECT_TRUE(lists.GroupItemLists.Find("Ops")->empty());
    EXPECT_TRUE(dialogs.errors.empty());

    // Enabled again, Dev starts from the list it had.
    RunGroupsCommand([](TBWGroupsForm& dialog) {
        SetChecked(dialog, 1, true);
        Press(dialog, "okButton");
    });
    ASSERT_NE(lists.GroupItemLists.Find("Dev"), nullptr);
    EXPECT_EQ(lists.GroupItemLists.Find("Dev")->size(), 1U);
}

// What came while a group was switched off is not replayed when it is switched on again: neither
// its own working list's occurrences nor what its shared file gained meanwhile. The user is told
// once how much was passed over.
TEST_F(GroupsCommandTest, SwitchingAGroupOnAgainReplaysNothing)
{
    const auto switchDev = [this](bool on) {
        RunGroupsCommand([on](TBWGroupsForm& dialog) {
            SetChecked(dialog, 1, on);
            Press(dialog, "okButton");
        });
    };
    switchDev(false);
    TBWItemList shared;
    shared.push_back(Message(20, "Dev standup"));
    shared.push_back(Message(21, "Missed retro"));
    SaveItemList(shared, Share() / "Dev.dat", "Dev pw");
    clock.Set(Noon() + 3);
    switchDev(true);
    TickTimes(5);
    form->SchedulerJobs().PullGroups();
    TickTimes(5);

    // Only Sales, switched on all along, catches up as usual.
    const std::vector<TBWMsgForm*> shown = form->Reminders().Reminders();
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_TRUE(shown[0]->windowTitle().contains(Text("Sales standup")));
    ASSERT_NE(PullBox(), nullptr);
    EXPECT_TRUE(PullBox()->text().startsWith(Text("Group Dev: 2 reminder"))) << PullBox()->text().toStdString();
}

TEST_F(GroupsCommandTest, AWorkingListFollowsItsGroupToANewPassword)
{
    // The group's file went over to the new password; the editor tries it on the file.
    SaveItemList(TBWItemList{}, Share() / "Sales.dat", "new sales pw");
    RunGroupsCommand([](TBWGroupsForm& dialog) {
        dialog.findChild<QListWidget*>(Text("groupList"))->setCurrentRow(0);
        QTimer::singleShot(0, &dialog.EditForm(), [&dialog] {
            TBWListLocation changed;
            dialog.EditForm().GetFields(changed);
            changed.Password = "new sales pw";
            dialog.EditForm().SetFields(changed);
            QTest::mouseClick(dialog.EditForm().findChild<QPushButton*>(QLatin1String("okButton")), Qt::LeftButton);
        });
        Press(dialog, "editButton");
        Press(dialog, "okButton");
    });

    EXPECT_EQ(lists.GroupList[0]->Password, "new sales pw");
    // The new password went into the store, not into glist.dat.
    EXPECT_EQ(secrets.secrets[Text("Sales (group password)")], "new sales pw");
    EXPECT_EQ(secrets.secrets[Text("Dev (group password)")], "Dev pw");
    for (const auto& group : GroupListFile()) {
        EXPECT_TRUE(group->Password.empty()) << group->Name;
    }
    ASSERT_NE(lists.GroupItemLists.Find("Sales"), nullptr);
    ASSERT_EQ(lists.GroupItemLists.Find("Sales")->size(), 1U);
    EXPECT_EQ((*lists.GroupItemLists.Find("Sales"))[0]->Title, "Sales standup");
    TBWItemList onDisk;
    EXPECT_EQ(LoadItemList(onDisk, WorkingFile("Sales"), "new sales pw"), LoadOk);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(GroupsCommandTest, APublishTellsInOneBoxThatDoesNotWaitWhichGroupsDidNotGetTheMessage)
{
    // Not group files (a missing one would be created): the message must not be sent there.
    for (const char* name : {"Ops.dat", "Dev.dat"}) {
        std::ofstream(Share() / name) << "<html>gone</html>";
    }
    const auto message = Message(77, "Release");
    // While it runs, the status bar names the groups and the groups dialog cannot be opened.
    std::vector<std::pair<QString, bool>> seen;
    QObject::connect(&form->Groups(), &GroupCommands::PublishingChanged, form.get(), [&](bool) {
        seen.emplace_back(form->findChild<QLabel*>(Text("transferStatusLabel"))->text(),
                          form->Menu().groupsAction->isEnabled());
    });

    const ExchangeReport report = form->Groups().PublishMessage(*message, {}, {"Sales", "Dev", "Ops", "Nobody"});

    const std::vector<std::pair<QString, bool>> expected = {{Text("Sending the message to Sales, Dev, Ops…"), false},
                                                            {QString(), true}};
    EXPECT_EQ(seen, expected);

    EXPECT_EQ(report.Completed, std::vector<std::string>{"Sales"});
    ASSERT_EQ(dialogs.notices.size(), 1U);
    EXPECT_TRUE(dialogs.notices[0].contains(Text("Group Dev:")));
    EXPECT_TRUE(dialogs.notices[0].contains(Text("Group Ops:")));
    EXPECT_FALSE(dialogs.notices[0].contains(Text("Sales")));
    EXPECT_FALSE(dialogs.notices[0].contains(Text("Nobody")));
    EXPECT_TRUE(dialogs.errors.empty()) << "no box that waits";
    TBWItemList shared;
    ASSERT_EQ(LoadItemList(shared, Share() / "Sales.dat", "Sales pw"), LoadOk);
    ASSERT_EQ(shared.size(), 1U);
    EXPECT_EQ(shared[0]->Title, "Release");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The transfers' own progress takes the status line while they run.
    QLabel* status = form->findChild<QLabel*>(Text("transferStatusLabel"));
    Q_EMIT form->Transfers().ActivityChanged(Text("Fetching group Sales…"));
    EXPECT_EQ(status->text(), Text("Fetching group Sales…"));
    Q_EMIT form->Transfers().ActivityChanged(QString());
    EXPECT_TRUE(status->text().isEmpty());

    // A publish that reaches every group shows nothing.
    dialogs.notices.clear();
    form->Groups().PublishMessage(*message, {"Sales"}, {"Sales"});
    EXPECT_TRUE(dialogs.notices.empty());
}

TEST_F(GroupsCommandTest, APullProblemIsToldOnceWithoutAModalBox)
{
    // Dev's shared file is replaced by one under another password.
    SaveItemList(TBWItemList{}, Share() / "Dev.dat", "somebody else's pw");
    TBWItemList sales;
    sales.push_back(Message(30, "Quarter figures"));
    SaveItemList(sales, Share() / "Sales.dat", "Sales pw");

    // The pull as the tick runs it.
    form->SchedulerJobs().PullGroups();

    QMessageBox* box = PullBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(box->text().contains(Text("Group Dev:")));
    EXPECT_FALSE(box->text().contains(Text("Sales")));
    EXPECT_TRUE(dialogs.errors.empty());
    // Sales was merged; Dev's working list kept its message.
    ASSERT_EQ(lists.GroupItemLists.Find("Sales")->size(), 1U);
    EXPECT_EQ((*lists.GroupItemLists.Find("Sales"))[0]->Title, "Quarter figures");
    EXPECT_EQ(lists.GroupItemLists.Find("Dev")->size(), 1U);
    const QString told = box->text();

    // Every minute the same problem: not told again.
    form->Groups().PullGroups();
    form->Groups().PullGroups();
    EXPECT_EQ(form->findChildren<QMessageBox*>(Text("pullProblemMessageBox")).size(), 1);
    EXPECT_EQ(PullBox()->text(), told);

    // Mended and broken again: told again, in the box that is still open.
    SaveItemList(TBWItemList{}, Share() / "Dev.dat", "Dev pw");
    form->Groups().PullGroups();
    SaveItemList(TBWItemList{}, Share() / "Dev.dat", "somebody else's pw");
    form->Groups().PullGroups();
    EXPECT_EQ(form->findChildren<QMessageBox*>(Text("pullProblemMessageBox")).size(), 1);
    EXPECT_EQ(PullBox()->text().count(Text("Group Dev:")), 2);
    EXPECT_TRUE(dialogs.errors.empty());
}

// Another member's program wrote what it liked: markup, a huge title, a text of thousands of lines,
// and in Dev's file a line that is not a number. What reaches the window is bounded and plain.
TEST_F(GroupsCommandTest, AHostileGroupFileIsShownBoundedAndAsPlainText)
{
    const std::string markup = "<a href=\"file:///etc/passwd\">link</a><img src=\"/tmp/x.png\">";
    auto hostile = Message(40, markup + std::string(20000, 'T'));
    hostile->Author = "<b>Mallory</b>";
    hostile->DueTime = Noon() - 1.0 / 24;
    hostile->RepeatKind = RepeatDaily;
    for (int i = 0; i < 3000; ++i) {
        hostile->Text += "<i>line</i>\r\n";
    }
    TBWItemList sales;
    sales.push_back(std::move(hostile));
    SaveItemList(sales, Share() / "Sales.dat", "Sales pw");
    TBWItemList dev;
    dev.push_back(Message(41, "Fine"));
    TStringList damaged;
    ItemListToLines(dev, damaged);
    damaged[6] = markup + std::string(100000, '9'); // its due time
    SaveLinesEncrypted(damaged, Share() / "Dev.dat", "Dev pw");

    clock.Set(Noon());
    form->SchedulerJobs().PullGroups();
    form->TickScheduler().CheckDueMessages();
    TickTimes(1); // the tooltip follows the tick

    QMessageBox* box = PullBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_TRUE(box->text().contains(Text("<a href=")));
    EXPECT_LT(box->text().size(), 1000);

    ASSERT_EQ(form->Reminders().Reminders().size(), 1U);
    TBWMsgForm* popup = form->Reminders().Reminders().front();
    for (const char* name : {"authorLabel", "titleLabel"}) {
        const QLabel* label = popup->findChild<QLabel*>(QLatin1String(name));
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
        EXPECT_LE(label->text().size(), ShownLabelLength + 1) << name;
    }
    EXPECT_LE(popup->windowTitle().size(), ShownLineLength + 20);
    EXPECT_LE(popup->findChild<QPlainTextEdit*>(Text("textEdit"))->document()->blockCount(), ShownTextLines + 1);

    const QString toolTip = form->Tray().Icon()->toolTip();
    EXPECT_TRUE(toolTip.contains(Text("link"))) << "the daily reminder is the next one";
    EXPECT_FALSE(Qt::mightBeRichText(toolTip)) << toolTip.toStdString();
    EXPECT_LE(toolTip.size(), ShownLineLength + 100);
}

// A ticked group whose pulls keep failing shows in the groups dialog at once, and after a while in
// the tray's icon and tooltip; once it is mended, the warning goes.
TEST_F(GroupsCommandTest, AGroupThatKeepsFailingShowsInTheDialogAndTheTray)
{
    SaveItemList(TBWItemList{}, Share() / "Dev.dat", "somebody else's pw");
    for (int minute = 0; minute <= 10; ++minute) {
        clock.Set(Noon() + minute * 61.0 / 86400); // a pull a minute, each a second late
        form->SchedulerJobs().PullGroups();
        TickTimes(1);
        EXPECT_EQ(form->Tray().ShowsWarning(), minute == 10) << minute;
    }
    EXPECT_TRUE(form->Tray().Icon()->toolTip().endsWith(Text("\nGroup Dev not reachable since 12:00")));

    RunGroupsCommand([](TBWGroupsForm& dialog) {
        const QListWidget* list = dialog.findChild<QListWidget*>(Text("groupList"));
        EXPECT_EQ(list->item(0)->toolTip(), Text("Last fetched 12:10."));
        EXPECT_EQ(list->item(1)->toolTip(),
                  Text("Failing since 12:00: the group file does not open with this password."));
        EXPECT_NE(list->item(1)->icon().pixmap(16, 16).toImage(), list->item(0)->icon().pixmap(16, 16).toImage())
            << "the failing group's line carries a mark";
        EXPECT_EQ(list->item(2)->toolTip(), Text("Switched off: its messages are not fetched."));
    });

    SaveItemList(TBWItemList{}, Share() / "Dev.dat", "Dev pw");
    form->SchedulerJobs().PullGroups();
    TickTimes(1);
    EXPECT_FALSE(form->Tray().ShowsWarning());
}

} // namespace
