// Reminder pop-ups and the help window stay usable whatever dialog or box of the program is open: a
// dialog blocks only the window it belongs to. The boxes and the help window are the real ones here.
// Clicks travel through the window, as a user's click does: only that way does modality apply (a
// click sent straight to a widget skips it).
#include "HelpBrowser.h"
#include "HelpWindow.h"
#include "MainMenu.h"
#include "MainWindowFixture.h"
#include "ReminderDispatcher.h"
#include "Scheduler.h"
#include "TBWMsgForm.h"
#include "TestMessages.h"
#include "WidgetDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolButton>

#include <functional>

namespace {

void ClickThroughWindow(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widget->mapTo(window, widget->rect().center()));
}

QDialog* ModalDialog()
{
    return qobject_cast<QDialog*>(QApplication::activeModalWidget());
}

void Click(const char* buttonName)
{
    QDialog* dialog = ModalDialog();
    ASSERT_NE(dialog, nullptr);
    auto* button = dialog->findChild<QAbstractButton*>(QLatin1String(buttonName));
    ASSERT_NE(button, nullptr) << buttonName;
    button->click();
}

} // namespace

class DialogModalityTest : public MainWindowTest
{
protected:
    using Opener = std::function<void()>;

    void SetUp() override
    {
        preferences.Write(Text("General"), Text("UserName"), Text("Ann"));
        form = std::make_unique<TBWCForm>(realBoxes, lists);
        form->findChild<QTimer*>(Text("tickTimer"))->stop();
        form->RunStartSteps();
        // A folder group whose location cannot be reached: its Test ends in a box.
        lists.GroupList.push_back(MakeGroup("Sales", "secret", true));
        ShowForm();
    }

    // Opens the dialogs one inside the other, each from the one before, as the user would; with
    // all of them open, the check runs, then every dialog is closed again.
    void WithDialogsOpen(const std::vector<Opener>& openers, std::size_t next = 0)
    {
        if (next == openers.size()) {
            ExpectPopUpAndHelpUsable();
            for (std::size_t i = 0; i < openers.size() && ModalDialog() != nullptr; ++i) {
                ModalDialog()->reject();
            }
            return;
        }
        // A dialog that waits for transfers lets events run before its box comes up: the next step
        // waits for the box.
        const QDialog* outer = ModalDialog();
        const QDeadlineTimer deadline(5000);
        bool reached = false;
        std::function<void()> whenOpen = [&] {
            if (ModalDialog() == outer && !deadline.hasExpired()) {
                QTimer::singleShot(10, form.get(), whenOpen);
                return;
            }
            reached = true;
            EXPECT_NE(ModalDialog(), outer) << "step " << next << " opened no dialog that waits";
            WithDialogsOpen(openers, next + 1);
        };
        QTimer::singleShot(0, form.get(), whenOpen);
        openers[next]();
        while (!reached && !deadline.hasExpired()) {
            QTest::qWait(10);
        }
    }

    void ExpectPopUpAndHelpUsable()
    {
        form->Reminders().ShowReminder(*MakeMessage("Standup", Noon(), 1), {});
        const QPointer<TBWMsgForm> popUp = form->Reminders().Reminders().back();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(popUp));
        ClickThroughWindow(popUp->findChild<QPushButton*>(Text("okButton")));
        EXPECT_FALSE(popUp && popUp->isVisible()) << "the pop-up's OK did nothing";

        helpBrowser.ShowHelpTopic(Text("missing.htm"));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(helpBrowser.Window()));
        ClickThroughWindow(helpBrowser.Window()->findChild<QToolButton*>(Text("contentsButton")));
        EXPECT_TRUE(helpBrowser.Window()->findChild<QTextBrowser*>()->toPlainText().contains(Text("benefits.htm")))
            << "the help window's Contents did nothing";
    }

    const MainMenu& Menu() const { return form->Menu(); }

    WidgetDialogs boxes;
    HelpBrowser helpBrowser{home.filePath(Text("help")), shell};
    AppContext realBoxes{dataFolder, clock, preferences, shell, sound, helpBrowser, notificationArea, boxes, autostart};
};

TEST_F(DialogModalityTest, EveryDialogAndBoxBlocksOnlyItsOwnWindow)
{
    // A path that opens a dialog inside another checks both: either would block the pop-up.
    const Opener groups = [this] { Menu().groupsAction->trigger(); };
    const Opener editor = [this] { Menu().newAction->trigger(); };
    const std::vector<std::pair<const char*, std::vector<Opener>>> paths = {
        {"about", {[this] { Menu().aboutAction->trigger(); }}},
        {"group editor", {groups, [] { Click("addButton"); }}},
        {"box of the groups dialog",
         {groups,
          [] {
              ModalDialog()->findChild<QListWidget*>(Text("groupList"))->setCurrentRow(0);
              Click("testButton");
          }}},
        {"recipient picker", {editor, [] { Click("addRecipientButton"); }}},
        {"file chooser",
         {editor,
          [] {
              ModalDialog()->findChild<QComboBox*>(Text("typeComboBox"))->setCurrentIndex(KindExecuteFiles);
              Click("addFileButton");
          }}},
        {"question box", {[this] { Menu().deleteExpiredActions.front()->trigger(); }}},
        {"error box", {[this] {
             // A spare copy that cannot be written ends its tick with the error box.
             std::filesystem::create_directories(dataFolder / "bwlist.bak");
             form->TickScheduler().SetTickCounter(Scheduler::BackupEvery - 1);
             TickTimes(1);
         }}},
    };
    for (const auto& [name, openers] : paths) {
        SCOPED_TRACE(name);
        WithDialogsOpen(openers);
        EXPECT_EQ(ModalDialog(), nullptr);
    }
}
