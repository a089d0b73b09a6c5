#include "ProgramHome.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>

#include <signal.h>

ProgramHome::ProgramHome()
{
    QDir root(m_root.path());
    root.mkpath(QStringLiteral("data"));
    root.mkpath(QStringLiteral("config/Bellwick"));
    root.mkdir(QStringLiteral("run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile config(ConfigFile());
    if (config.open(QIODevice::WriteOnly)) {
        config.write("[General]\nUserName=Ann\n");
    }
}

std::filesystem::path ProgramHome::DataFolder() const
{
    return std::filesystem::path(m_root.path().toStdString()) / "data" / "Bellwick";
}

QString ProgramHome::ConfigFile() const
{
    return m_root.filePath(QStringLiteral("config/Bellwick/Bellwick.conf"));
}

QString ProgramHome::LockFile() const
{
    return m_root.filePath(QStringLiteral("run/Bellwick_Mutex.lock"));
}

QProcessEnvironment ProgramHome::Environment(const QString& platform) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_root.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_root.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root.filePath(QStringLiteral("run")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    // The groups' passwords of a test never go into the password store of the desktop it runs on.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
    return environment;
}

std::unique_ptr<QProcess> ProgramHome::Start(const QStringList& arguments, const QString& platform,
                                             const QByteArray& display) const
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = Environment(platform);
    if (!display.isEmpty()) {
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
    }
    // libxkbcommon-x11 hands strndup a keymap name that is bounded by its length but not by a zero
    // byte; strict_string_checks treats that as reading past the end although strndup stops at n.
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    if (platform == QLatin1String("xcb") && !sanitizer.isEmpty()) {
        environment.insert(QStringLiteral("ASAN_OPTIONS"), sanitizer + QStringLiteral(":strict_string_checks=0"));
    }
    process->setProcessEnvironment(environment);
    process->setProgram(QStringLiteral(BW_CLIENT_PATH));
    process->setArguments(arguments);
    process->start();
    process->waitForStarted(10000);
    return process;
}

bool ProgramHome::HasStarted() const
{
    std::error_code error;
    return std::filesystem::is_directory(DataFolder() / "Logs", error);
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QTest::qWait(20);
    }
    return true;
}

void EndProcess(QProcess& process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

bool Terminate(QProcess& process)
{
    // A process that has ended has the id 0, and a signal to 0 would end this test's whole process
    // group: the test runner and whatever started it.
    const qint64 pid = process.processId();
    if (process.state() != QProcess::Running || pid <= 0) {
        return false;
    }
    return ::kill(static_cast<pid_t>(pid), SIGTERM) == 0;
}
