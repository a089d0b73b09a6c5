// How the main window lives: the close box, the tray, a hidden start, Exit, the background beep,
// the hints, the menus and the error guard.
#include "BWClientProgram.h"
#include "BWError.h"
#include "MainWindowFixture.h"
#include "NotificationAreaWait.h"
#include "TrayController.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolTip>

class WindowBehaviourTest : public MainWindowTest
{
protected:
    void SetUp() override { StartAs(Text("Ann")); }

    QPushButton* Button(const char* name) const { return form->findChild<QPushButton*>(Text(name)); }
};

TEST_F(WindowBehaviourTest, TheCloseBoxHidesIntoTheTrayAndOnlyExitEndsTheProgram)
{
    QSignalSpy ended(form.get(), &TBWCForm::ExitAccepted);
    form->FinishStart(false);
    EXPECT_TRUE(form->Tray().IsShown());
    ASSERT_TRUE(form->isVisible());

    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
    EXPECT_EQ(ended.count(), 0);

    form->Tray().Menu()->findChild<QAction*>(Text("openAction"))->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());

    // "Close" in the File menu is the same close request.
    form->Menu().closeAction->trigger();
    EXPECT_FALSE(form->isVisible());

    form->Tray().Menu()->findChild<QAction*>(Text("exitAction"))->trigger();
    EXPECT_TRUE(form->ExitRequested());
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(WindowBehaviourTest, CtrlQInTheWindowEndsTheProgramLikeTheTraysExit)
{
    QSignalSpy ended(form.get(), &TBWCForm::ExitAccepted);
    form->FinishStart(false);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(form->ExitRequested());
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(WindowBehaviourTest, WithoutANotificationAreaTheCloseBoxMinimisesSoTheWindowStaysReachable)
{
    notificationArea.available = false;
    form->FinishStart(false);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());

    form->Open();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(WindowBehaviourTest, AHiddenStartShowsOnlyTheTrayIconOrAMinimisedWindowWithoutATray)
{
    form->FinishStart(true);
    EXPECT_TRUE(form->Tray().IsShown());
    EXPECT_FALSE(form->isVisible());
    form->Open();
    EXPECT_TRUE(form->isVisible());

    form.reset();
    notificationArea.available = false;
    StartAs(Text("Ann"));
    form->FinishStart(true);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());
}

TEST_F(WindowBehaviourTest, OwnWindowsOpenWhenTheProgramWentIntoTheTrayComeBackWithIt)
{
    form->FinishStart(false);
    auto* tool = new QDialog(form.get());
    tool->setModal(false);
    tool->show();
    form->close();
    EXPECT_FALSE(tool->isVisible());
    form->Open();
    EXPECT_TRUE(tool->isVisible());
}

TEST_F(WindowBehaviourTest, ADoubleClickOnTheBackgroundBeepsButNotOnAListRow)
{
    form->FinishStart(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QWidget* background = form->centralWidget();
    QTest::mouseDClick(background, Qt::LeftButton, Qt::NoModifier,
                       QPoint(background->width() - 4, background->height() - 4));
    ASSERT_EQ(sound.beeps.size(), 1U);
    EXPECT_EQ(sound.beeps[0].frequencyHz, 1000);
    EXPECT_EQ(sound.beeps[0].durationMs, 300);

    lists.PersonalList.push_back(std::make_unique<TBWItem>());
    form->UpdateRowCount();
    const QRect row = ListView()->visualRect(ListView()->model()->index(0, 0));
    QTest::mouseDClick(ListView()->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    QTest::mouseDClick(ListView()->viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(4, ListView()->viewport()->height() - 4));
    EXPECT_EQ(sound.beeps.size(), 1U) << "the list takes its own double clicks";
}

TEST_F(WindowBehaviourTest, ShowHintsSwitchesTheTooltipsOfTheWholeProgram)
{
    // A widget shows its tooltip when the tooltip request reaches it; count the requests that do.
    class ToolTipCounter final : public QObject
    {
    public:
        int count = 0;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            count += event->type() == QEvent::ToolTip ? 1 : 0;
            return QObject::eventFilter(watched, event);
        }
    } counter;
    form->FinishStart(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QPushButton* newButton = Button("newButton");
    newButton->installEventFilter(&counter);
    const auto hover = [&] {
        QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), newButton->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(newButton, &event);
        QToolTip::hideText();
    };
    hover();
    EXPECT_EQ(counter.count, 1);
    form->Menu().showHintsAction->setChecked(false);
    hover();
    EXPECT_EQ(counter.count, 1) << "no tooltip over the buttons";
    EXPECT_EQ(Button("deleteButton")->toolTip(), Text("Delete selected message")) << "the text itself stays";
    form->Menu().showHintsAction->setChecked(true);
    hover();
    EXPECT_EQ(counter.count, 2);
    newButton->removeEventFilter(&counter);
}

TEST_F(WindowBehaviourTest, MenusCarryEveryEntryAndEveryCommandIsConnected)
{
    const MainMenu& menu = form->Menu();
    const auto text = [](const QAction* action) { return action->text().remove(QLatin1Char('&')); };
    EXPECT_EQ(text(menu.closeAction), Text("Close"));
    for (QAction* command : {menu.newAction, menu.editAction, menu.duplicateAction, menu.deleteAction, menu.findAction,
                             menu.findNextAction, menu.groupsAction}) {
        EXPECT_TRUE(command->isEnabled()) << command->objectName().toStdString();
    }
    std::vector<int> days;
    for (QAction* action : menu.deleteExpiredActions) {
        EXPECT_TRUE(action->isEnabled());
        days.push_back(action->data().toInt());
        EXPECT_EQ(text(action), QStringLiteral("%1 days +").arg(action->data().toInt()));
    }
    EXPECT_EQ(days, (std::vector<int>{360, 180, 90, 30, 7}));
    EXPECT_EQ(menu.findAction->shortcut(), QKeySequence(Text("Ctrl+F")));
    EXPECT_EQ(menu.findNextAction->shortcut(), QKeySequence(Text("F3")));
    for (QAction* option : {menu.autoSortAction, menu.enableSoundsAction, menu.showHintsAction}) {
        EXPECT_TRUE(option->isCheckable());
    }
    EXPECT_EQ(text(menu.deleteExpiredMenu->menuAction()), Text("Delete expired messages"));

    // A button follows its menu entry, and a click runs the entry's command.
    EXPECT_TRUE(Button("deleteButton")->isEnabled());
    menu.deleteAction->setEnabled(false);
    EXPECT_FALSE(Button("deleteButton")->isEnabled());
    menu.deleteAction->setEnabled(true);
    ASSERT_TRUE(Button("deleteButton")->isEnabled());
    int runs = 0;
    QObject::connect(menu.deleteAction, &QAction::triggered, [&] { ++runs; });
    Button("deleteButton")->click();
    EXPECT_EQ(runs, 1);
}

TEST_F(WindowBehaviourTest, HelpOpensTheMainTopicAndAboutShowsTheAboutDialogModally)
{
    form->Menu().helpAction->trigger();
    EXPECT_EQ(help.topics, std::vector<QString>{Text("benefits.htm")});

    QString shownTitle;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        shownTitle = modal->windowTitle();
        wasModal = modal->isModal();
        modal->findChild<QLabel*>(Text("webLinkLabel"))->linkActivated(Text("https://bellwick.example.org/"));
        modal->findChild<QPushButton*>(Text("okButton"))->click();
    });
    form->Menu().aboutAction->trigger();
    EXPECT_EQ(shownTitle, Text("About"));
    EXPECT_TRUE(wasModal);
    ASSERT_EQ(shell.calls.size(), 1U);
    EXPECT_EQ(shell.calls[0].target, Text("https://bellwick.example.org/"));
}

TEST_F(WindowBehaviourTest, AFailingCommandShowsItsErrorAndTheWindowGoesOn)
{
    class FailingHelp final : public HelpService
    {
    public:
        void ShowHelpTopic(const QString&) override { throw EBWError("Cannot open file \"help\". No such file"); }
    } failingHelp;
    AppContext failing{dataFolder, clock, preferences, shell, sound, failingHelp, notificationArea, dialogs, autostart};
    TBWCForm window(failing, lists);
    window.Menu().helpAction->trigger();
    window.Menu().helpAction->trigger();
    ASSERT_EQ(dialogs.errors.size(), 2U);
    EXPECT_EQ(dialogs.errors[0], Text("Cannot open file \"help\". No such file"));
    window.Menu().autoSortAction->setChecked(false);
    EXPECT_EQ(window.CurrentPreferences().SortColumn, -1);
}

TEST(NotificationAreaWait, AnswersAtOnceWhenThereWhenItAppearsOrWhenTheTimeIsUp)
{
    using namespace std::chrono_literals;
    FakeNotificationArea area(true);
    std::vector<bool> results;
    NotificationAreaWait present(area, 4000ms, 50ms, [&](bool available) { results.push_back(available); });
    present.Start();
    EXPECT_EQ(results, std::vector<bool>{true}) << "no waiting where a tray is present";

    area.available = false;
    NotificationAreaWait appearing(area, 4000ms, 5ms, [&](bool available) { results.push_back(available); });
    appearing.Start();
    EXPECT_EQ(results.size(), 1U);
    QTRY_VERIFY_WITH_TIMEOUT(area.questions >= 3, 3000);
    area.available = true;
    QTRY_COMPARE_WITH_TIMEOUT(results.size(), 2U, 3000);
    EXPECT_TRUE(results[1]);

    area.available = false;
    NotificationAreaWait never(area, 20ms, 5ms, [&](bool available) { results.push_back(available); });
    never.Start();
    QTRY_COMPARE_WITH_TIMEOUT(results.size(), 3U, 3000);
    EXPECT_FALSE(results[2]);
    EXPECT_TRUE(never.IsFinished());
}

TEST(HiddenStartSwitch, IsALowerCaseSlashMInTheArgumentsNotInTheProgramPath)
{
    const QString program = QStringLiteral("/media/apps/BWClient");
    EXPECT_TRUE(HasHiddenStartSwitch({program, QStringLiteral("/m")}));
    EXPECT_TRUE(HasHiddenStartSwitch({program, QStringLiteral("-x"), QStringLiteral("/min")}));
    EXPECT_FALSE(HasHiddenStartSwitch({program, QStringLiteral("/M")}));
    EXPECT_FALSE(HasHiddenStartSwitch({program}));
    EXPECT_FALSE(HasHiddenStartSwitch({QStringLiteral("/m")})) << "argument 0 is the program";
}
