#pragma once

#include "Preferences.h"
#include "ReminderDelivery.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

struct AppContext;
class TBWMsgForm;
class TBWRunFilesForm;

// How the due scan reaches the user in the running program: the reminder pop-up with its alert
// sound, programs opened through the desktop's shell, the question before programs from a group
// run, the chime's beep, and the error box when the delivery log cannot be written.
//
// Every call returns at once. The windows it opens belong to themselves; those still open when the
// dispatcher ends (at the end of the program) are closed with it.
class ReminderDispatcher final : public QObject, public ReminderDelivery
{
    Q_OBJECT

public:
    static constexpr int ChimeFrequencyHz = 1000;
    static constexpr int ChimeDurationMs = 300;

    // The preferences are asked for at each reminder: "Enable sounds" and the first alert sound
    // may have changed since the last one.
    ReminderDispatcher(AppContext& context, std::function<Preferences()> preferences, QObject* parent = nullptr);
    ~ReminderDispatcher() override;
    ReminderDispatcher(const ReminderDispatcher&) = delete;
    ReminderDispatcher& operator=(const ReminderDispatcher&) = delete;

    void ShowReminder(const TBWItem& message) override;
    void OpenProgram(const TBWItem& message, const std::string& program, const std::string& parameters) override;
    void ConfirmExecuteFiles(const TBWItem& message, const std::string& groupName,
                             const std::vector<TSplitCommandLine>& commands,
                             std::function<void(bool run)> answered) override;
    void Beep() override;
    void LogFailed(const std::string& text) override;

    // The windows that still exist, shown or waiting, oldest first.
    [[nodiscard]] std::vector<TBWMsgForm*> Reminders() const;
    [[nodiscard]] std::vector<TBWRunFilesForm*> RunQuestions() const;

private:
    // The program's error box, once the due scan that is walking the lists has ended.
    void ShowErrorLater(const QString& text);

    AppContext& m_context;
    std::function<Preferences()> m_preferences;
    std::vector<QPointer<TBWMsgForm>> m_reminders;
    std::vector<QPointer<TBWRunFilesForm>> m_runQuestions;
};
