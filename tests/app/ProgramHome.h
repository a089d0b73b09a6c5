#pragma once

#include "EventWait.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <functional>
#include <memory>

// A user of the real program for one test: temporary XDG data, configuration and runtime folders,
// with the user name already chosen so that the program asks nothing at its first start.
class ProgramHome
{
public:
    ProgramHome();

    [[nodiscard]] std::filesystem::path DataFolder() const;
    [[nodiscard]] QString ConfigFile() const;
    [[nodiscard]] QString LockFile() const;
    [[nodiscard]] QProcessEnvironment Environment(const QString& platform) const;

    // Starts BWClient for this user; the process ends with the test at the latest.
    [[nodiscard]] std::unique_ptr<QProcess> Start(const QStringList& arguments,
                                                  const QString& platform = QStringLiteral("offscreen"),
                                                  const QByteArray& display = QByteArray()) const;

    // Whether the program has got through the start steps that touch the data folder.
    [[nodiscard]] bool HasStarted() const;

private:
    QTemporaryDir m_root;
};

// Ends a process that a test left running, so that no copy outlives its test.
void EndProcess(QProcess& process);

// Asks a running program to end, as the desktop does at log-out; false when it is not running.
bool Terminate(QProcess& process);
