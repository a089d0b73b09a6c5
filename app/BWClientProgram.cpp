#include "BWClientProgram.h"

#include "AppContext.h"
#include "Artwork.h"
#include "Autostart.h"
#include "CurlGlobal.h"
#include "DataFolder.h"
#include "DesktopShell.h"
#include "ErrorGuard.h"
#include "FreedesktopNotifications.h"
#include "HelpBrowser.h"
#include "InstanceChannel.h"
#include "KeychainSecretStore.h"
#include "NotificationAreaWait.h"
#include "ProcessLists.h"
#include "ProgramTranslations.h"
#include "QtSoundPlayer.h"
#include "ResourceFolders.h"
#include "SettingsPreferencesStore.h"
#include "SingleInstance.h"
#include "SystemClock.h"
#include "SystemTrayNotificationArea.h"
#include "TBWCForm.h"
#include "TerminationWatcher.h"
#include "WidgetDialogs.h"

#include <QApplication>
#include <QDialog>

#include <chrono>
#include <cstdio>

namespace {

using namespace std::chrono_literals;

// How long the start waits for the desktop's notification area, and how often it asks.
constexpr auto TrayWaitLimit = 4000ms;
constexpr auto TrayWaitInterval = 50ms;
// How long a second start waits for the running copy to answer.
constexpr int OpenRequestTimeoutMs = 3000;

void ReportToStandardError(const QString& text)
{
    std::fprintf(stderr, "Bellwick: %s\n", text.toLocal8Bit().constData());
}

// Nobody will answer a dialog once the program is told to end from outside, and one left open would
// keep the program from saving and going: each open dialog is answered as if cancelled. Their own
// event loops end as soon as control returns to them.
void CancelOpenDialogs()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog != nullptr && dialog->isVisible()) {
            dialog->reject();
        }
    }
}

// The program cannot run as it should: the user reads why, in a box and, for whoever started it
// from a terminal, a script or the session, on the standard error stream.
int RefuseToStart(Dialogs& dialogs, const QString& text)
{
    ReportToStandardError(text);
    dialogs.ShowError(nullptr, text);
    return 1;
}

} // namespace

bool HasHiddenStartSwitch(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' ')).contains(QLatin1String("/m"));
}

int RunBWClient(int argc, char** argv)
{
    // A second copy leaves before it has touched anything; started without "/m", it first asks the
    // running copy to bring its window forward, as a user who starts the program again expects.
    SingleInstance instance;
    const bool firstCopy = instance.TryAcquire();
    if (!firstCopy && instance.FailureReason().isEmpty()) {
        QStringList arguments;
        for (int i = 0; i < argc; ++i) {
            arguments.push_back(QString::fromLocal8Bit(argv[i]));
        }
        if (!HasHiddenStartSwitch(arguments)) {
            const QCoreApplication messenger(argc, argv);
            (void)InstanceChannel::RequestOpen(instance.ChannelName(), OpenRequestTimeoutMs);
        }
        return 0;
    }

    // Before any thread: libcurl's global set-up is not thread-safe, and QApplication may start threads.
    // Declared before the window, it outlives every transfer.
    const CurlGlobal curl;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bellwick"));
    QApplication::setOrganizationName(QStringLiteral("Bellwick"));
    QApplication::setDesktopFileName(QStringLiteral("bellwick"));
    QApplication::setWindowIcon(ProgramIcon());
    InstallTranslations(application, QCoreApplication::applicationDirPath());
    // The main window hides instead of closing; only "Exit" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    TerminationWatcher termination;
    WidgetDialogs dialogs;
    if (!firstCopy) {
        // The end of the session answers the box.
        QObject::connect(&termination, &TerminationWatcher::TerminationRequested, &application, &CancelOpenDialogs);
        // Without the lock a second copy could start beside this one and both would save the lists.
        return RefuseToStart(
            dialogs,
            QCoreApplication::translate("BWClientProgram", "Bellwick cannot start. %1").arg(instance.FailureReason()));
    }
    const ResourceFolders resources(QCoreApplication::applicationDirPath());
    if (!resources.Complete()) {
        ReportToStandardError(QStringLiteral("help pages or alert sounds missing; looked in %1 and %2")
                                  .arg(resources.Help(), resources.Sounds()));
    }
    SystemClock clock;
    SettingsPreferencesStore preferences;
    DesktopShell shell;
    QtSoundPlayer sound(resources.Sounds());
    HelpBrowser help(resources.Help(), shell);
    SystemTrayNotificationArea notificationArea;
    const std::unique_ptr<Autostart> autostart = MakeDesktopAutostart();
    KeychainSecretStore secrets;
    FreedesktopNotifications notifications;
    AppContext context{DataFolder::ForCurrentUser().Root(),
                       clock,
                       preferences,
                       shell,
                       sound,
                       help,
                       notificationArea,
                       dialogs,
                       *autostart,
                       &secrets,
                       &notifications};
    ProcessLists lists;

    TBWCForm form(context, lists);
    InstanceChannel channel(instance.ChannelName());
    QObject::connect(&channel, &InstanceChannel::OpenRequested, &form, [&] {
        if (!form.ExitRequested()) {
            RunGuarded(dialogs, nullptr, [&] { form.Open(); });
        }
    });
    bool endedFromOutside = false;
    QObject::connect(&form, &TBWCForm::ExitAccepted, &application, &QCoreApplication::quit);
    QObject::connect(&termination, &TerminationWatcher::TerminationRequested, &form, [&] {
        endedFromOutside = true;
        form.RequestExit();
        CancelOpenDialogs();
    });
    QObject::connect(&termination, &TerminationWatcher::SessionEnding, &form, [&] {
        endedFromOutside = true;
        form.SaveForSessionEnd(ReportToStandardError);
    });

    RunGuarded(dialogs, nullptr, [&] { form.RunStartSteps(); });
    if (!form.StartRefusal().isEmpty()) {
        return RefuseToStart(dialogs, form.StartRefusal());
    }
    // Listened to once the lists are loaded and the user has a name: a window shown before would
    // show nothing useful.
    if (!form.ExitRequested() && !channel.Listen()) {
        ReportToStandardError(QStringLiteral("a second start cannot reach this one: %1").arg(instance.ChannelName()));
    }
    if (!form.ExitRequested()) {
        const bool startHidden = HasHiddenStartSwitch(QCoreApplication::arguments());
        NotificationAreaWait trayWait(notificationArea, TrayWaitLimit, TrayWaitInterval, [&](bool /*available*/) {
            if (!form.ExitRequested()) {
                RunGuarded(dialogs, nullptr, [&] { form.FinishStart(startHidden); });
            }
        });
        trayWait.Start();
        QApplication::exec();
    }

    // Nobody is left to read an error box when the program is ended from outside.
    if (endedFromOutside) {
        form.ShutdownSave(ReportToStandardError);
    } else {
        form.ShutdownSave([&](const QString& text) { dialogs.ShowError(nullptr, text); });
    }
    return 0;
}
