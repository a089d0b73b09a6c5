// The message commands on a real main window over a temporary data folder: New, Edit, Duplicate,
// Delete and "Delete expired messages", with the list view, "bwlist.dat" and the recipient groups.
#include "MainWindowFixture.h"
#include "TestMessages.h"

#include "MessageCommands.h"
#include "MessageListModel.h"
#include "MessageSelection.h"
#include "TBWEditForm.h"
#include "TBWFindForm.h"
#include "TBWGroupSelectForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTimeEdit>
#include <QTimer>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <tuple>

class MessageCommandsTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        StartAs(Text("Ann"));
        ShowForm();
    }

    void Add(std::unique_ptr<TBWItem> message)
    {
        lists.PersonalList.push_back(std::move(message));
        form->UpdateRowCount();
    }

    template <typename T>
    static T* ChildOf(const QObject& parent, const char* name)
    {
        T* child = parent.findChild<T*>(QLatin1String(name));
        if (child == nullptr) {
            throw std::logic_error(std::string("no child named ") + name);
        }
        return child;
    }

    // Answers the editor that the next command opens: fill runs once it is shown, then OK (or
    // Cancel) is clicked. A command that opens no editor leaves editorShowings unchanged.
    void WhenEditorShown(std::function<void(TBWEditForm&)> fill, bool ok = true)
    {
        QTimer::singleShot(0, form.get(), [this, fill = std::move(fill), ok] {
            auto* editor = qobject_cast<TBWEditForm*>(QApplication::activeModalWidget());
            if (editor == nullptr) {
                return;
            }
            ++editorShowings;
            editorCaption = editor->windowTitle();
            fill(*editor);
            if (editor->isVisible()) {
                QTest::mouseClick(ChildOf<QPushButton>(*editor, ok ? "okButton" : "cancelButton"), Qt::LeftButton);
            }
        });
    }

    static void SetTitle(TBWEditForm& editor, const char* title)
    {
        ChildOf<QLineEdit>(editor, "titleEdit")->setText(QString::fromUtf8(title));
    }

    void Click(const char* buttonName) { QTest::mouseClick(ChildOf<QPushButton>(*form, buttonName), Qt::LeftButton); }

    [[nodiscard]] std::filesystem::path PersonalFile() const { return dataFolder / "bwlist.dat"; }

    [[nodiscard]] TBWItemList Saved() const
    {
        TBWItemList saved;
        EXPECT_EQ(LoadItemList(saved, PersonalFile(), PersonalListPassword), LoadOk);
        return saved;
    }

    [[nodiscard]] static std::vector<std::int32_t> Ids(const TBWItemList& list)
    {
        std::vector<std::int32_t> ids;
        for (const auto& message : list) {
            ids.push_back(message->Id);
        }
        return ids;
    }

    // A moment as the list file holds it, a multiple of 8.64 seconds.
    static double Stored(double moment) { return UnitsToDateTime(DateTimeToUnits(moment)); }

    int editorShowings = 0;
    QString editorCaption;
};

TEST_F(MessageCommandsTest, NewWithTheDefaultsIsDueWhenTheEditorOpenedAndIsSelectedAndSaved)
{
    for (const char* name : {"newButton", "editButton", "deleteButton"}) {
        EXPECT_TRUE(ChildOf<QPushButton>(*form, name)->isEnabled()) << name;
    }
    const double opened = Noon();
    WhenEditorShown([this](TBWEditForm& editor) {
        SetTitle(editor, "Standup");
        clock.AdvanceSeconds(90); // the user takes a while
    });
    Click("newButton");
    EXPECT_EQ(editorCaption, Text("New message"));

    ASSERT_EQ(lists.PersonalList.size(), 1U);
    const TBWItem& message = *lists.PersonalList[0];
    EXPECT_EQ(message.Title, "Standup");
    EXPECT_EQ(message.Author, "Ann");
    EXPECT_EQ(message.DueTime, opened);
    EXPECT_EQ(message.LastDueTime, 0.0);
    EXPECT_EQ(message.Kind, KindSimpleMessage);
    EXPECT_EQ(message.RepeatKind, RepeatNone);
    EXPECT_EQ(message.DayFlags, (std::array<bool, 8>{false, true, true, true, true, true, true, true}));
    EXPECT_TRUE(message.Recipients.empty());
    TBWItem expected;
    expected.Title = "Standup";
    expected.Author = "Ann";
    expected.GenerateId(clock.Now());
    EXPECT_EQ(message.Id, expected.Id);

    EXPECT_EQ(form->SelectedIndex(), 0);
    EXPECT_EQ(Cell(0, 2), Text("Standup"));
    const TBWItemList saved = Saved();
    ASSERT_EQ(saved.size(), 1U);
    EXPECT_EQ(saved[0]->Id, message.Id);
    EXPECT_EQ(saved[0]->DueTime, Stored(opened));
}

TEST_F(MessageCommandsTest, NewLandsInItsSortedPlaceWithAutosortAndLastWithout)
{
    Add(MakeMessage("later", Noon() + 2, 1));
    Add(MakeMessage("latest", Noon() + 3, 2));
    ASSERT_TRUE(form->Menu().autoSortAction->isChecked());

    WhenEditorShown([](TBWEditForm& editor) { SetTitle(editor, "first"); });
    form->Menu().newAction->trigger();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"first", "later", "latest"}));
    EXPECT_EQ(form->SelectedIndex(), 0);

    form->Menu().autoSortAction->trigger();
    ASSERT_FALSE(form->Menu().autoSortAction->isChecked());
    WhenEditorShown([](TBWEditForm& editor) { SetTitle(editor, "also early"); });
    form->Menu().newAction->trigger();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"first", "later", "latest", "also early"}));
    EXPECT_EQ(form->SelectedIndex(), 3);
    EXPECT_EQ(ListView()->model()->rowCount(), 4);
    EXPECT_EQ(Saved().size(), 4U);
}

TEST_F(MessageCommandsTest, AnEditedDeliveredMessageComesAgainOnlyWhenItsMomentMoves)
{
    // Delivered an hour ago, at a moment that is no whole second, as read from the list file.
    const double due = Stored(EncodeDateTime(2024, 3, 14, 10, 59, 58) + 0.4 / 86400);
    auto delivered = MakeMessage("Call Bob", due, 4711, KindSimpleMessage, due);
    delivered->Author = "Bob";
    Add(std::move(delivered));
    form->SelectMessage(0);

    WhenEditorShown([](TBWEditForm& editor) { SetTitle(editor, "Call Bob back"); });
    Click("editButton");
    EXPECT_EQ(editorCaption, Text("Edit message"));
    TBWItem& message = *lists.PersonalList[0];
    EXPECT_EQ(message.Title, "Call Bob back");
    EXPECT_EQ(message.Author, "Ann");
    EXPECT_EQ(message.Id, 4711);
    EXPECT_EQ(message.LastDueTime, due);
    EXPECT_FALSE(message.CheckDue(clock.Now())) << "the delivered moment is not delivered again";
    EXPECT_EQ(Saved()[0]->Title, "Call Bob back");

    // Moved to 14:00 today: due again then.
    WhenEditorShown([](TBWEditForm& editor) { ChildOf<QTimeEdit>(editor, "dueTimeEdit")->setTime(QTime(14, 0)); });
    Click("editButton");
    EXPECT_EQ(message.DueTime, EncodeDateTime(2024, 3, 14, 14, 0));
    EXPECT_FALSE(message.CheckDue(clock.Now()));
    EXPECT_TRUE(message.CheckDue(EncodeDateTime(2024, 3, 14, 14, 0, 5)));
    EXPECT_EQ(form->SelectedIndex(), 0);
}

TEST_F(MessageCommandsTest, CancelInTheEditorChangesNothingAndWritesNothing)
{
    Add(MakeMessage("Keep me", Noon() + 1, 7));
    form->SelectMessage(0);
    WhenEditorShown(
        [](TBWEditForm& editor) {
            SetTitle(editor, "Changed");
            ChildOf<QComboBox>(editor, "repeatComboBox")->setCurrentIndex(RepeatDaily);
        },
        false);
    Click("editButton");
    WhenEditorShown([](TBWEditForm& editor) { SetTitle(editor, "Not made"); }, false);
    Click("newButton");

    EXPECT_EQ(editorShowings, 2);
    ASSERT_EQ(lists.PersonalList.size(), 1U);
    EXPECT_EQ(lists.PersonalList[0]->Title, "Keep me");
    EXPECT_EQ(lists.PersonalList[0]->RepeatKind, RepeatNone);
    EXPECT_FALSE(std::filesystem::exists(PersonalFile()));
}

TEST_F(MessageCommandsTest, DuplicateKeepsTheMomentsAndGetsAnIdOfItsOwn)
{
    const double due = Stored(Noon() - 0.5);
    auto original = MakeMessage("Shown once", due, 5, KindSimpleMessage, due);
    original->Recipients = {"Sales"};
    Add(std::move(original));
    Add(MakeMessage("Later", Noon() + 1, 6));
    form->SelectMessage(0);

    // Twice at the same moment: GenerateId gives both copies the same value, so the second moves on.
    form->Menu().duplicateAction->trigger();
    form->Menu().duplicateAction->trigger();
    ASSERT_EQ(lists.PersonalList.size(), 4U);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Shown once", "Shown once", "Shown once", "Later"}));
    TBWItem expected;
    expected.Title = "Shown once";
    expected.Author = "Ann";
    expected.GenerateId(clock.Now());
    std::vector<std::int32_t> ids = Ids(lists.PersonalList);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::int32_t>{5, 6, expected.Id, expected.Id + 1}));
    for (const auto& copy : lists.PersonalList) {
        if (copy->Title == "Shown once") {
            EXPECT_EQ(copy->DueTime, due);
            EXPECT_EQ(copy->LastDueTime, due);
            EXPECT_EQ(copy->Recipients, TStringList{"Sales"});
            EXPECT_FALSE(copy->CheckDue(clock.Now()));
        }
    }
    EXPECT_EQ(lists.PersonalList[static_cast<std::size_t>(form->SelectedIndex())]->Id, 5) << "the selection stays";
    EXPECT_EQ(Saved().size(), 4U);
}

TEST_F(MessageCommandsTest, NewNeverGivesAMessageAnIdThatTheListHolds)
{
    TBWItem twin;
    twin.Title = "Twin";
    twin.Author = "Ann";
    twin.GenerateId(Noon());
    Add(MakeMessage("Old twin", Noon() + 1, twin.Id));
    Add(MakeMessage("Next one", Noon() + 2, twin.Id + 1));

    WhenEditorShown([](TBWEditForm& editor) { SetTitle(editor, "Twin"); });
    Click("newButton");
    ASSERT_EQ(lists.PersonalList.size(), 3U);
    EXPECT_EQ(lists.PersonalList[0]->Title, "Twin");
    EXPECT_EQ(lists.PersonalList[0]->Id, twin.Id + 2);
}

TEST_F(MessageCommandsTest, DeleteRemovesTheSelectedMessageWithoutAQuestion)
{
    Add(MakeMessage("one", Noon() + 1, 1));
    Add(MakeMessage("two", Noon() + 2, 2));
    Add(MakeMessage("three", Noon() + 3, 3));
    form->SelectMessage(1);
    Click("deleteButton");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"one", "three"}));
    EXPECT_EQ(ListView()->model()->rowCount(), 2);
    EXPECT_TRUE(dialogs.confirmations.empty());
    EXPECT_EQ(Ids(Saved()), (std::vector<std::int32_t>{1, 3}));
}

// Ctrl+Z brings back what the last delete removed, where it stood, and saves; then there is
// nothing left to undo.
TEST_F(MessageCommandsTest, UndoDeleteBringsBackTheLastDeletedMessagesWhereTheyStood)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const QAction* undo = form->Menu().undoDeleteAction;
    EXPECT_FALSE(undo->isEnabled());
    for (const std::int32_t id : {1, 2, 3, 4}) {
        Add(MakeMessage("message", Noon() - 12 + 3 * id, id)); // 9, 6, 3 days ago, today
    }
    form->SelectMessage(2);
    Click("deleteButton");
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Ids(Saved()), (std::vector<std::int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(form->SelectedIndex(), 2);
    EXPECT_FALSE(undo->isEnabled());

    dialogs.confirmAnswers = {true};
    form->Menu().deleteExpiredActions.back()->trigger(); // "7 days +": message 1
    ASSERT_EQ(Ids(lists.PersonalList), (std::vector<std::int32_t>{2, 3, 4}));
    form->Menu().undoDeleteAction->trigger();
    EXPECT_EQ(Ids(lists.PersonalList), (std::vector<std::int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(ListView()->model()->rowCount(), 4);
}

TEST_F(MessageCommandsTest, DeleteExpiredRemovesWhatIsOldEnoughAfterTheQuestion)
{
    clock.Set(EncodeDateTime(2024, 3, 14, 12, 34, 56));
    const double now = clock.Now();
    Add(MakeMessage("exactly seven days", EncodeDateTime(2024, 3, 7, 12, 34, 56), 1));
    Add(MakeMessage("six days 23 hours", now - 6 - 23.0 / 24, 2));
    Add(MakeMessage("a month", now - 30, 3));
    Add(MakeMessage("tomorrow", now + 1, 4));

    dialogs.confirmAnswers = {false};
    form->Menu().deleteExpiredActions.back()->trigger();
    ASSERT_EQ(dialogs.confirmations.size(), 1U);
    EXPECT_EQ(dialogs.confirmations[0].caption, Text("Confirm"));
    EXPECT_EQ(dialogs.confirmations[0].prompt, Text("Delete expired messages more than 7 days old?"));
    EXPECT_EQ(lists.PersonalList.size(), 4U);
    EXPECT_FALSE(std::filesystem::exists(PersonalFile())) << "Cancel writes nothing";

    dialogs.confirmAnswers = {true, true};
    form->Menu().deleteExpiredActions.front()->trigger(); // "360 days +"
    EXPECT_EQ(dialogs.confirmations.back().prompt, Text("Delete expired messages more than 360 days old?"));
    EXPECT_EQ(lists.PersonalList.size(), 4U);
    form->Menu().deleteExpiredActions.back()->trigger();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"six days 23 hours", "tomorrow"}));
    EXPECT_EQ(ListView()->model()->rowCount(), 2);
    EXPECT_EQ(Ids(Saved()), (std::vector<std::int32_t>{2, 4}));
}

TEST_F(MessageCommandsTest, EditDuplicateAndDeleteWithoutASelectionDoNothing)
{
    const auto noEditor = [this] {
        QTimer::singleShot(0, form.get(), [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "a dialog was shown: " << modal->objectName().toStdString();
                modal->close();
            }
        });
    };
    for (bool withMessages : {false, true}) {
        if (withMessages) {
            Add(MakeMessage("one", Noon() + 1, 1));
            Add(MakeMessage("two", Noon() + 2, 2));
            ListView()->clearSelection();
        }
        noEditor();
        Click("editButton");
        form->Menu().duplicateAction->trigger();
        Click("deleteButton");
        QApplication::processEvents();
    }
    EXPECT_EQ(Titles(), (std::vector<std::string>{"one", "two"}));
    EXPECT_FALSE(std::filesystem::exists(PersonalFile()));
}

TEST_F(MessageCommandsTest, NewEditAndDeleteKeepTheSharedFilesOfFolderGroupsInStep)
{
    const std::filesystem::path share = std::filesystem::path(home.path().toStdString()) / "share";
    std::filesystem::create_directories(share);
    for (const char* name : {"Sales", "Dev"}) {
        const std::filesystem::path file = share / (std::string(name) + ".dat");
        SaveItemList(TBWItemList{}, file, std::string(name) + " pw");
        auto group = MakeGroup(name, std::string(name) + " pw", true);
        group->Location = file.string();
        group->DetectLocationKind();
        lists.GroupList.push_back(std::move(group));
    }
    const auto shared = [&](const char* name) {
        TBWItemList items;
        EXPECT_EQ(LoadItemList(items, share / (std::string(name) + ".dat"), std::string(name) + " pw"), LoadOk);
        return items;
    };

    // New, with both groups picked through "Add..." of the editor.
    WhenEditorShown([](TBWEditForm& editor) {
        SetTitle(editor, "Release");
        QTimer::singleShot(0, &editor, [] {
            auto* picker = qobject_cast<TBWGroupSelectForm*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            ChildOf<QListWidget>(*picker, "groupList")->selectAll();
            QTest::mouseClick(ChildOf<QPushButton>(*picker, "okButton"), Qt::LeftButton);
        });
        QTest::mouseClick(ChildOf<QPushButton>(editor, "addRecipientButton"), Qt::LeftButton);
    });
    Click("newButton");
    ASSERT_EQ(lists.PersonalList.size(), 1U);
    const TBWItem& message = *lists.PersonalList[0];
    EXPECT_EQ(message.Recipients, (TStringList{"Sales", "Dev"}));
    for (const char* name : {"Sales", "Dev"}) {
        const TBWItemList copies = shared(name);
        ASSERT_EQ(copies.size(), 1U) << name;
        EXPECT_EQ(copies[0]->Id, message.Id);
        EXPECT_EQ(copies[0]->Title, "Release");
    }

    // Edit: Dev taken off the recipients, the title changed.
    form->SelectMessage(0);
    WhenEditorShown([](TBWEditForm& editor) {
        SetTitle(editor, "Release 2");
        ChildOf<QListWidget>(editor, "recipientsListWidget")->setCurrentRow(1);
        QTest::mouseClick(ChildOf<QPushButton>(editor, "deleteRecipientButton"), Qt::LeftButton);
    });
    Click("editButton");
    EXPECT_EQ(message.Recipients, TStringList{"Sales"});
    ASSERT_EQ(shared("Sales").size(), 1U);
    EXPECT_EQ(shared("Sales")[0]->Title, "Release 2");
    EXPECT_TRUE(shared("Dev").empty());

    Click("deleteButton");
    EXPECT_TRUE(lists.PersonalList.empty());
    EXPECT_TRUE(shared("Sales").empty());
    EXPECT_TRUE(shared("Dev").empty());
    EXPECT_TRUE(dialogs.errors.empty()) << dialogs.errors.front().toStdString();
}

TEST_F(MessageCommandsTest, DeleteTakesAMessageOutOfBothOfItsGroups)
{
    const std::filesystem::path share = std::filesystem::path(home.path().toStdString()) / "share";
    std::filesystem::create_directories(share);
    auto message = MakeMessage("Sent to two", Noon() + 1, 77);
    message->Recipients = {"Sales", "Dev"};
    for (const char* name : {"Sales", "Dev"}) {
        const std::filesystem::path file = share / (std::string(name) + ".dat");
        TBWItemList items;
        items.push_back(MakeMessage("Someone else's", Noon() + 2, 78));
        auto copy = std::make_unique<TBWItem>();
        copy->Assign(*message);
        items.push_back(std::move(copy));
        SaveItemList(items, file, "pw");
        auto group = MakeGroup(name, "pw", false);
        group->Location = file.string();
        group->DetectLocationKind();
        lists.GroupList.push_back(std::move(group));
    }
    Add(std::move(message));
    form->SelectMessage(0);
    Click("deleteButton");
    EXPECT_TRUE(lists.PersonalList.empty());
    for (const char* name : {"Sales", "Dev"}) {
        TBWItemList items;
        ASSERT_EQ(LoadItemList(items, share / (std::string(name) + ".dat"), "pw"), LoadOk);
        EXPECT_EQ(Ids(items), std::vector<std::int32_t>{78}) << name << ": the other messages stay";
    }

    // Undone, the message is back in both groups too.
    form->Menu().undoDeleteAction->trigger();
    EXPECT_EQ(Ids(lists.PersonalList), std::vector<std::int32_t>{77});
    for (const char* name : {"Sales", "Dev"}) {
        TBWItemList items;
        ASSERT_EQ(LoadItemList(items, share / (std::string(name) + ".dat"), "pw"), LoadOk);
        EXPECT_EQ(Ids(items), (std::vector<std::int32_t>{78, 77})) << name;
    }
}

TEST_F(MessageCommandsTest, AFailedPublishIsToldAndTheCommandStillKeepsTheListAndItsFile)
{
    // Commands over a publisher that fails, beside the window's own, on the first row.
    struct FirstRow final : MessageSelection
    {
        [[nodiscard]] int SelectedRow() const override { return 0; }
        void SelectRow(int /*row*/) override {}
    } firstRow;
    const std::unique_ptr<MessageCommands> commands = std::make_unique<MessageCommands>(
        MessageCommands::Parts{
            form->Personal(), firstRow, context, form->Menu(), *form, [] { return std::string("Ann"); }, {}},
        [](const TBWItem&, const TStringList&, const TStringList&) {
            throw std::runtime_error("The group file could not be read");
        });
    Add(MakeMessage("Going", Noon() + 1, 1));
    commands->Delete();
    EXPECT_TRUE(lists.PersonalList.empty());
    EXPECT_TRUE(Saved().empty());

    WhenEditorShown([](TBWEditForm& editor) { SetTitle(editor, "Kept all the same"); });
    commands->New();
    ASSERT_EQ(lists.PersonalList.size(), 1U);
    EXPECT_EQ(lists.PersonalList[0]->Title, "Kept all the same");
    EXPECT_EQ(Saved().size(), 1U);
    EXPECT_EQ(dialogs.errors, (std::vector<QString>(2, Text("The group file could not be read"))));
}

// The groups' reminders beside the user's own: the folder group "Sales" holds one reminder of
// Bob's and one of Ann's, the user, in its shared file and in the working list the pulls made.
class TeamRowsTest : public MessageCommandsTest
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(Share());
        std::filesystem::create_directories(dataFolder / "BWELists");
        TBWItemList items;
        for (const auto& [title, id, author] : {std::tuple{"Bob's standup", 10, "Bob"}, {"Ann's review", 20, "Ann"}}) {
            items.push_back(MakeMessage(title, Noon() + 1, id));
            items.back()->Author = author;
            items.back()->Recipients = {"Sales"};
        }
        SaveItemList(items, SharedFile(), "pw");
        SaveItemList(items, dataFolder / "BWELists" / "Sales", "pw");
        TBWGroupList groups;
        groups.push_back(MakeGroup("Sales", "pw", true));
        groups.back()->Location = SharedFile().string();
        groups.back()->DetectLocationKind();
        ASSERT_TRUE(SaveGroupList(groups, dataFolder / "glist.dat"));
        TBWItemList own;
        own.push_back(MakeMessage("Own", Noon() + 2, 1));
        WritePersonalList(dataFolder, own);
        MessageCommandsTest::SetUp();
    }

    [[nodiscard]] std::filesystem::path Share() const
    {
        return std::filesystem::path(home.path().toStdString()) / "share";
    }
    [[nodiscard]] std::filesystem::path SharedFile() const { return Share() / "Sales.dat"; }

    [[nodiscard]] TBWItemList Shared() const
    {
        TBWItemList items;
        EXPECT_EQ(LoadItemList(items, SharedFile(), "pw"), LoadOk);
        return items;
    }

    // Every file a command on a team row could write.
    [[nodiscard]] std::map<std::string, std::string> Files() const
    {
        std::map<std::string, std::string> files;
        for (const auto& file : {SharedFile(), dataFolder / "BWELists" / "Sales", PersonalFile()}) {
            std::ifstream in(file, std::ios::binary);
            files[file.string()] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        }
        return files;
    }

    [[nodiscard]] int RowOf(const char* title) const
    {
        for (int row = 0; row < ListView()->model()->rowCount(); ++row) {
            if (Cell(row, MessageListModel::MessageColumn) == Text(title)) {
                return row;
            }
        }
        return -1;
    }

    [[nodiscard]] TBWEditForm& Editor() const { return *form->findChild<TBWEditForm*>(); }
};

TEST_F(TeamRowsTest, TeamRowsAreMarkedFoundAndFilteredAndTheFilterIsKept)
{
    ASSERT_EQ(ListView()->model()->rowCount(), 3);
    EXPECT_EQ(Cell(0, MessageListModel::MessageColumn), Text("Own"));
    EXPECT_EQ(Cell(0, MessageListModel::GroupColumn), QString());
    ASSERT_GE(RowOf("Bob's standup"), 1);
    EXPECT_EQ(Cell(RowOf("Bob's standup"), MessageListModel::GroupColumn), Text("Sales (Bob)"));
    EXPECT_EQ(Cell(RowOf("Ann's review"), MessageListModel::GroupColumn), Text("Sales (Ann)"));

    // Find next goes on from the user's own rows into the team's.
    form->findChild<TBWFindForm*>()->findChild<QLineEdit*>(Text("searchEdit"))->setText(Text("review"));
    form->Menu().findNextAction->trigger();
    EXPECT_EQ(form->SelectedIndex(), RowOf("Ann's review"));

    auto* filter = form->findChild<QComboBox*>(Text("teamFilter"));
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->currentText(), Text("All"));
    filter->setCurrentIndex(filter->findText(Text("My reminders")));
    EXPECT_EQ(ListView()->model()->rowCount(), 1);
    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    EXPECT_FALSE(Preferences::Load(preferences).ShowTeamReminders);
    filter->setCurrentIndex(filter->findText(Text("All")));
    EXPECT_EQ(ListView()->model()->rowCount(), 3);
}

TEST_F(TeamRowsTest, SomeoneElsesReminderOpensReadOnlyAndNoCommandChangesAFile)
{
    const auto before = Files();
    form->SelectMessage(RowOf("Bob's standup"));
    bool titleReadOnly = false;
    bool okShown = true;
    WhenEditorShown(
        [&](TBWEditForm& editor) {
            titleReadOnly = ChildOf<QLineEdit>(editor, "titleEdit")->isReadOnly();
            okShown = ChildOf<QPushButton>(editor, "okButton")->isVisible();
        },
        false);
    // Enter on the row opens it as Edit does.
    QTest::keyClick(ListView(), Qt::Key_Return);
    EXPECT_EQ(editorShowings, 1);
    EXPECT_TRUE(titleReadOnly);
    EXPECT_FALSE(okShown);
    EXPECT_FALSE(Editor().IsReadOnly()) << "the editor is writable again for the user's own reminders";

    Click("deleteButton");
    EXPECT_TRUE(form->statusBar()->currentMessage().contains(Text("Bob")))
        << form->statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(dialogs.confirmations.empty());
    EXPECT_EQ(ListView()->model()->rowCount(), 3);
    EXPECT_EQ(Files(), before);
}

TEST_F(TeamRowsTest, TheAuthorsEditAndDeleteReachTheGroupAndNeverThePersonalList)
{
    form->SelectMessage(RowOf("Ann's review"));
    WhenEditorShown([](TBWEditForm& editor) { SetTitle(editor, "Ann's review, moved"); });
    Click("editButton");
    ASSERT_EQ(Shared().size(), 2U);
    EXPECT_EQ(Shared()[1]->Id, 20);
    EXPECT_EQ(Shared()[1]->Title, "Ann's review, moved");
    EXPECT_EQ(Shared()[0]->Title, "Bob's standup");
    // The row shows the change before the next pull.
    ASSERT_GE(RowOf("Ann's review, moved"), 1);
    EXPECT_EQ(Cell(RowOf("Ann's review, moved"), MessageListModel::GroupColumn), Text("Sales (Ann)"));

    dialogs.confirmAnswers.push_back(true);
    form->SelectMessage(RowOf("Ann's review, moved"));
    Click("deleteButton");
    EXPECT_EQ(Ids(Shared()), std::vector<std::int32_t>{10});
    EXPECT_EQ(RowOf("Ann's review, moved"), -1);
    EXPECT_EQ(ListView()->model()->rowCount(), 2);

    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    EXPECT_EQ(Ids(Saved()), std::vector<std::int32_t>{1});
    EXPECT_TRUE(dialogs.errors.empty()) << dialogs.errors.front().toStdString();
}
