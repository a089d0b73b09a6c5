#pragma once

#include <QObject>

#include <memory>

// Tells the program that it is being ended from outside: the desktop session is closing, or the
// process received SIGTERM, SIGHUP or SIGINT. The program then saves its data before it goes; the
// signals are turned into ordinary events, so the saving runs on the main thread like any command.
// One watcher per process.
class TerminationWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

Q_SIGNALS:
    // The desktop session is ending: save now; the program will be asked to close afterwards.
    void SessionEnding();
    // The process is asked to end: save and exit.
    void TerminationRequested();

private:
    struct Private;
    std::unique_ptr<Private> m_private;
};
