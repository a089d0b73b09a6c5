// Reminders as desktop notifications, against a session bus of the test's own (started as the
// desktop starts one) with a small notification service on it that records what it is asked and
// answers as the user would. Without a service, the pop-up comes instead.
#include "ChildProcess.h"
#include "FreedesktopNotifications.h"
#include "MainWindowFixture.h"
#include "NotificationReminders.h"
#include "ReminderDispatcher.h"
#include "Scheduler.h"
#include "TBWMsgForm.h"
#include "TestFiles.h"
#include "TestMessages.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QStandardPaths>

#include <sys/wait.h>

#include <csignal>

namespace {

const QString ServiceName = QStringLiteral("org.freedesktop.Notifications");

// A notification service that keeps each notification it is sent.
class RecordingNotificationService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Sent
    {
        QString Summary;
        QString Body;
        QStringList Actions;
        qint32 ExpireTimeout;
    };

    std::vector<Sent> sent;
    std::vector<quint32> closed;

public Q_SLOTS:
    quint32 Notify(const QString& /*appName*/, quint32 /*replacesId*/, const QString& /*appIcon*/,
                   const QString& summary, const QString& body, const QStringList& actions,
                   const QVariantMap& /*hints*/, qint32 expireTimeout)
    {
        sent.push_back({summary, body, actions, expireTimeout});
        return static_cast<quint32>(sent.size());
    }
    // As real services do, the closing is told.
    void CloseNotification(quint32 id)
    {
        closed.push_back(id);
        Q_EMIT NotificationClosed(id, 3);
    }

Q_SIGNALS:
    void ActionInvoked(quint32 id, const QString& actionKey);
    void NotificationClosed(quint32 id, quint32 reason);
};

class DesktopNotificationTest : public MainWindowTest
{
protected:
    static double At(int hour, int minute) { return EncodeDateTime(2024, 3, 14, hour, minute); }

    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
            GTEST_SKIP() << "dbus-daemon is not installed";
        }
        const std::filesystem::path printed = std::filesystem::path(home.path().toStdString()) / "bus-address";
        daemon = StartProcess({"dbus-daemon", "--session", "--nofork", "--print-address"}, printed);
        ASSERT_GT(daemon, 0);
        std::string line;
        for (QDeadlineTimer deadline(10000); line.find('\n') == std::string::npos && !deadline.hasExpired();) {
            QTest::qWait(10);
            line = ReadBytes(printed);
        }
        ASSERT_NE(line.find('\n'), std::string::npos) << "the bus did not say its address";
        address = QString::fromStdString(line.substr(0, line.find('\n')));
        notifier = std::make_unique<FreedesktopNotifications>(address);
        context.notifications = notifier.get();
        preferences.Write(Text("General"), Text("DesktopNotifications"), Text("1"));
        clock.Set(At(10, 0));
    }

    void TearDown() override
    {
        form.reset();
        notifier.reset();
        if (serviceBus) {
            serviceBus.reset();
            QDBusConnection::disconnectFromBus(Text("recordingService"));
        }
        if (daemon > 0) {
            ::kill(daemon, SIGTERM);
            ::waitpid(daemon, nullptr, 0);
        }
    }

    void RegisterService()
    {
        serviceBus =
            std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, Text("recordingService")));
        ASSERT_TRUE(serviceBus->registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                               QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(serviceBus->registerService(ServiceName));
    }

    // Starts over the bus with a reminder due, and delivers it.
    void DeliverStandup()
    {
        StartAs(Text("Ann"));
        auto message = MakeMessage("Standup", At(9, 30), 7);
        message->Text = "Room <b>4</b> & coffee";
        lists.PersonalList.push_back(std::move(message));
        form->UpdateRowCount();
        TickTimes(Scheduler::ScanEvery);
    }

    [[nodiscard]] std::optional<double> PostponedUntil() const
    {
        return form->Reminders().Postponed().WaitingUntil(7, clock.Now());
    }

    int daemon = -1;
    QString address;
    std::unique_ptr<FreedesktopNotifications> notifier;
    RecordingNotificationService service;
    std::unique_ptr<QDBusConnection> serviceBus;
};

TEST_F(DesktopNotificationTest, AReminderIsANotificationThatPutsOffAndComesBackAsThePopUpDoes)
{
    RegisterService();
    DeliverStandup();
    QTRY_COMPARE_WITH_TIMEOUT(service.sent.size(), std::size_t{1}, 5000);
    const RecordingNotificationService::Sent& first = service.sent.front();
    EXPECT_EQ(first.Summary, Text("09:30 - Standup"));
    EXPECT_TRUE(first.Body.startsWith(Text("Room <\u2060b>4<\u2060/b> &\u2060 coffee"))) << "no markup passes";
    EXPECT_TRUE(first.Body.endsWith(Text("From Ann")));
    EXPECT_EQ(first.Actions, (QStringList{Text("later"), Text("Remind me in 10 minutes"), Text("done"), Text("Done")}));
    EXPECT_EQ(first.ExpireTimeout, 0) << "it stays until the user acts";
    EXPECT_TRUE(form->Reminders().Reminders().empty()) << "no pop-up beside it";

    Q_EMIT service.ActionInvoked(1, Text("later"));
    QTRY_VERIFY_WITH_TIMEOUT(PostponedUntil().has_value(), 5000);
    EXPECT_NEAR(*PostponedUntil(), At(10, 10), 1e-9);
    QTRY_COMPARE_WITH_TIMEOUT(service.closed, std::vector<quint32>{1}, 5000);
    // Time for the service's word of the closing to come back over the bus.
    QTest::qWait(100);
    EXPECT_TRUE(PostponedUntil().has_value()) << "the closing that follows the action is not Done";
    EXPECT_EQ(Cell(0, 0), Text("postponed until 10:10"));

    // Ten minutes on, it comes again as a notification; closed, it is done with.
    clock.Set(At(10, 10));
    const QList<QTimer*> delays = form->Reminders().Notifications()->findChildren<QTimer*>();
    ASSERT_EQ(delays.size(), 1);
    delays.front()->start(0);
    QTRY_COMPARE_WITH_TIMEOUT(service.sent.size(), std::size_t{2}, 5000);
    EXPECT_EQ(service.sent.back().Summary, Text("09:30 - Standup"));
    Q_EMIT service.NotificationClosed(2, 2);
    QTRY_VERIFY_WITH_TIMEOUT(!form->Reminders().Postponed().NextWaiting(0.0), 5000);
    EXPECT_EQ(Cell(0, 0), Text("09:30"));
}

TEST_F(DesktopNotificationTest, AReminderPutOffFromItsNotificationOutlastsARestart)
{
    RegisterService();
    DeliverStandup();
    QTRY_COMPARE_WITH_TIMEOUT(service.sent.size(), std::size_t{1}, 5000);
    Q_EMIT service.ActionInvoked(1, Text("later"));
    QTRY_VERIFY_WITH_TIMEOUT(PostponedUntil().has_value(), 5000);

    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    form.reset();
    lists.PersonalList.clear();
    clock.Set(At(10, 4));
    StartAs(Text("Ann"));
    ASSERT_TRUE(PostponedUntil().has_value());
    EXPECT_EQ(Cell(0, 0), Text("postponed until 10:10"));

    clock.Set(At(10, 10));
    const QList<QTimer*> delays = form->Reminders().Notifications()->findChildren<QTimer*>();
    ASSERT_EQ(delays.size(), 1) << "it waits as a notification, not as a hidden pop-up";
    delays.front()->start(0);
    QTRY_COMPARE_WITH_TIMEOUT(service.sent.size(), std::size_t{2}, 5000);
    EXPECT_EQ(service.sent.back().Summary, Text("09:30 - Standup"));
    EXPECT_TRUE(form->Reminders().Reminders().empty());
}

TEST_F(DesktopNotificationTest, WithoutANotificationServiceThePopUpComes)
{
    DeliverStandup();
    QTRY_COMPARE_WITH_TIMEOUT(form->Reminders().Reminders().size(), std::size_t{1}, 5000);
    EXPECT_EQ(form->Reminders().Reminders().front()->windowTitle(), Text("09:30 - Standup"));
    EXPECT_TRUE(form->Reminders().Reminders().front()->isVisible());
}

} // namespace

#include "DesktopNotificationTest.moc"
