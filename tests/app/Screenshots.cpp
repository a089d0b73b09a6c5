// Renders the program's windows with realistic content into PNG files for the README and the help:
// bellwick_screenshots <folder>. scripts/screenshots.sh runs it on Xvfb; without a display it falls
// back to the offscreen platform.
#include "AppFakes.h"
#include "CalendarCommands.h"
#include "DateTime.h"
#include "GroupList.h"
#include "ProcessLists.h"
#include "TBWCForm.h"
#include "TBWEditForm.h"
#include "TBWFindForm.h"
#include "TBWGroupEditForm.h"
#include "TBWGroupSelectForm.h"
#include "TBWGroupsForm.h"
#include "TBWMsgForm.h"
#include "TBWOverflowForm.h"
#include "TestMessages.h"
#include "TrayController.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <filesystem>
#include <tuple>

namespace {

class NoGroupFiles : public GroupFileService
{
public:
    FetchOutcome FetchGroupFile(const TBWListLocation&) override { return FetchOutcome::Absent; }
    void UploadGroupFile(const TBWListLocation&) override {}
    std::filesystem::path LocalCopyPath(const TBWListLocation& group) const override { return group.Name; }
};

class Camera
{
public:
    explicit Camera(const QDir& folder) : m_folder(folder) {}

    void Take(QWidget& window, const char* fileName)
    {
        window.show();
        window.raise();
        // Two rounds: the first lays the window out, the second paints what the layout settled on.
        QApplication::processEvents();
        QApplication::processEvents();
        const QString path = m_folder.filePath(QLatin1String(fileName));
        if (!window.grab().save(path)) {
            QTextStream(stderr) << "bellwick_screenshots: cannot write " << path << "\n";
            m_failed = true;
        }
        window.hide();
    }

    [[nodiscard]] bool Failed() const { return m_failed; }

private:
    QDir m_folder;
    bool m_failed = false;
};

double At(int day, int hour, int minute)
{
    return EncodeDateTime(2026, 12, day, hour, minute);
}

// A week of an office worker's reminders around Monday, 7 December 2026, 10:20.
void FillPersonalList(TBWItemList& list)
{
    const std::tuple<const char*, double, std::uint8_t, double> messages[] = {
        {"Pay the electricity bill", At(4, 9, 0), KindSimpleMessage, 0.0},
        {"Order printer paper", At(6, 14, 30), KindSimpleMessage, 0.0},
        {"Team meeting", At(7, 9, 30), KindSimpleMessage, At(4, 9, 30)},
        {"Standup", At(7, 14, 5), KindSimpleMessage, At(4, 14, 5)},
        {"Send the weekly figures to Bob", At(7, 16, 45), KindSimpleMessage, 0.0},
        {"Start the nightly export", At(7, 23, 0), KindExecuteFiles, At(6, 23, 0)},
        {"Call the dentist about Thursday", At(8, 10, 0), KindSimpleMessage, 0.0},
        {"Back up the laptop", At(9, 18, 0), KindExecuteFiles, 0.0},
        {"Water the office plants", At(10, 11, 0), KindSimpleMessage, At(3, 11, 0)},
        {"Quarterly report: first draft", At(14, 12, 0), KindSimpleMessage, 0.0},
        {"Renew the parking permit", At(19, 8, 15), KindSimpleMessage, 0.0},
    };
    std::int32_t id = 1;
    for (const auto& [title, due, kind, lastDue] : messages) {
        list.push_back(MakeMessage(title, due, id++, kind, lastDue));
    }
}

TBWGroupList SampleGroups()
{
    TBWGroupList groups;
    for (const auto& [name, location, enabled] :
         {std::tuple{"Sales", "ftp://files.example.org/groups/sales.dat", true},
          std::tuple{"Development", "/srv/share/dev.dat", false},
          std::tuple{"Operations", "https://intranet.example.org/ops.dat", true}}) {
        auto group = std::make_unique<TBWListLocation>();
        group->Name = name;
        group->Location = location;
        group->Password = "secret";
        group->Enabled = enabled;
        group->DetectLocationKind();
        groups.push_back(std::move(group));
    }
    groups[0]->FtpUser = "anna";
    groups[0]->FtpPassword = "ftp-secret";
    return groups;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: bellwick_screenshots <folder>\n";
        return 2;
    }
    // The dates in the pictures read the same wherever they are taken.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    // The English texts with their plural forms ("1 reminder"), as the program installs them.
    QTranslator english;
    if (english.load(QLocale(), QStringLiteral("bellwick"), QStringLiteral("_"),
                     QCoreApplication::applicationDirPath())) {
        QCoreApplication::installTranslator(&english);
    }
    Camera camera{QDir(QString::fromLocal8Bit(argv[1]))};

    QTemporaryDir home;
    AppFakes fakes(std::filesystem::path(home.path().toStdString()) / "Bellwick/", At(7, 10, 20));
    fakes.preferences.Write(QStringLiteral("General"), QStringLiteral("UserName"), QStringLiteral("Ann"));
    AppContext& context = fakes.context;
    ProcessLists lists;

    // The main window on a first start, and then with a week of reminders.
    TBWCForm form(context, lists);
    form.findChild<QTimer*>(QStringLiteral("tickTimer"))->stop();
    form.RunStartSteps();
    camera.Take(form, "first-run.png");
    FillPersonalList(lists.PersonalList);
    // Two reminders a colleague sent to Sales, shown beside Ann's own.
    auto sales = std::make_unique<TBWItemList>();
    sales->push_back(MakeMessage("Customer visit: Harbour Ltd", At(8, 15, 0), 101, KindSimpleMessage, 0.0));
    sales->push_back(MakeMessage("New price list goes out", At(11, 9, 0), 102, KindSimpleMessage, 0.0));
    for (const auto& message : *sales) {
        message->Author = "Bob";
    }
    lists.GroupItemLists.Add("Sales", std::move(sales));
    form.UpdateRowCount();
    form.show();
    form.SelectMessage(3);
    camera.Take(form, "main-window.png");

    // The tray icon's menu, with the next three reminders that one tick of the clock puts in it.
    QTimer* tick = form.findChild<QTimer*>(QStringLiteral("tickTimer"));
    QMetaObject::invokeMethod(tick, "timeout", Qt::DirectConnection);
    QApplication::sendPostedEvents(tick->parent(), QEvent::MetaCall);
    camera.Take(*form.Tray().Menu(), "tray-menu.png");

    // File > Import... of a calendar with an entry that a reminder cannot hold, and its summary.
    const QString calendar = home.filePath(QStringLiteral("work.ics"));
    {
        QFile file(calendar);
        if (file.open(QIODevice::WriteOnly)) {
            file.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Calendar//EN\r\n"
                       "BEGIN:VEVENT\r\nUID:1@example.org\r\nDTSTAMP:20261201T120000Z\r\n"
                       "DTSTART:20261209T090000\r\nSUMMARY:Dentist\r\nEND:VEVENT\r\n"
                       "BEGIN:VEVENT\r\nUID:2@example.org\r\nDTSTAMP:20261201T120000Z\r\n"
                       "DTSTART:20261208T080000\r\nRRULE:FREQ=WEEKLY;COUNT=6\r\nSUMMARY:Physio\r\nEND:VEVENT\r\n"
                       "END:VCALENDAR\r\n");
        }
    }
    auto* calendars = form.findChild<CalendarCommands*>(QStringLiteral("calendarCommands"));
    calendars->SetFileChooser([&calendar](QWidget*, bool) { return calendar; });
    calendars->Import();
    if (auto* summary = form.findChild<QMessageBox*>(QStringLiteral("calendarSummaryBox"))) {
        camera.Take(*summary, "import-summary.png");
        summary->close();
    }

    // The message editor on each of its pages.
    TBWEditForm editor(context);
    editor.setWindowTitle(QObject::tr("Edit message"));
    TBWItem message;
    message.Title = "Send the weekly figures to Bob";
    message.Text = "Figures to Bob before 17:00, please.\r\nThe template is in the shared folder.";
    message.DueTime = At(7, 16, 45);
    message.RepeatKind = RepeatWeekly;
    message.Recipients = {"Sales", "Operations"};
    message.DayFlags = {false, true, true, true, true, true, false, false};
    editor.LoadFromMessage(message);
    editor.ApplyTypeSwitch();
    editor.findChild<QListWidget*>(QStringLiteral("recipientsListWidget"))->setCurrentRow(0);
    auto* pages = editor.findChild<QTabWidget*>(QStringLiteral("pageTabs"));
    const char* const pageFiles[] = {"message-editor.png", "message-editor-send-to.png", "message-editor-options.png"};
    for (int page = 0; page < 3; ++page) {
        pages->setCurrentIndex(page);
        camera.Take(editor, pageFiles[page]);
    }

    TBWFindForm find;
    find.findChild<QLineEdit*>(QStringLiteral("searchEdit"))->setText(QStringLiteral("report"));
    camera.Take(find, "find.png");

    // A reminder as it pops up, sent by a colleague through a group.
    TBWItem reminder;
    reminder.Title = "Standup";
    reminder.Author = "Bob";
    reminder.Text = "Daily standup in the small meeting room.\r\nBring the figures for the Leeds order.";
    reminder.DueTime = At(7, 14, 5);
    reminder.LastDueTime = At(7, 14, 5);
    TBWMsgForm popup(reminder, At(7, 14, 5));
    camera.Take(popup, "reminder-popup.png");

    // What came due while the pop-ups open at once were all up, gathered in one window.
    TBWOverflowForm overflow;
    const char* const waiting[][3] = {{"14:05", "Call the Leeds office back", "Bob"},
                                      {"14:05", "Book the room for Thursday", "Ann"},
                                      {"14:05", "Release notes for 2.3", "Dev"}};
    for (const auto& [time, title, from] : waiting) {
        overflow.Add({QLatin1String(time), QLatin1String(title), QLatin1String(from), [] {}});
    }
    camera.Take(overflow, "more-reminders.png");

    // The groups dialog, the group editor on an FTP group, and the recipient picker.
    TBWGroupList groups = SampleGroups();
    NoGroupFiles files;
    GroupDialogHooks quiet;
    quiet.ShowMessage = [](QWidget*, const GroupDialogHooks::Message&) {};
    TBWGroupsForm groupsForm(files, quiet);
    groupsForm.LoadGroups(groups);
    groupsForm.findChild<QListWidget*>(QStringLiteral("groupList"))->setCurrentRow(0);
    camera.Take(groupsForm, "groups.png");
    TBWGroupEditForm& editForm = groupsForm.EditForm();
    editForm.setWindowTitle(QObject::tr("Edit group"));
    editForm.SetFields(*groups[0]);
    camera.Take(editForm, "group-editor.png");
    TBWGroupSelectForm selectForm{GroupDialogHooks{}};
    selectForm.LoadGroups(groups);
    selectForm.findChild<QListWidget*>(QStringLiteral("groupList"))->item(2)->setSelected(true);
    camera.Take(selectForm, "select-groups.png");

    return camera.Failed() ? 1 : 0;
}
