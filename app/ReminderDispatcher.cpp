#include "ReminderDispatcher.h"

#include "AppContext.h"
#include "Clock.h"
#include "Dialogs.h"
#include "Shell.h"
#include "SoundPlayer.h"
#include "TBWMsgForm.h"
#include "TBWRunFilesForm.h"

#include <QTimer>

#include <algorithm>

namespace {

// Forgets the windows that have deleted themselves.
template <typename Form>
void Prune(std::vector<QPointer<Form>>& windows)
{
    std::erase_if(windows, [](const QPointer<Form>& window) { return window.isNull(); });
}

template <typename Form>
std::vector<Form*> Living(const std::vector<QPointer<Form>>& windows)
{
    std::vector<Form*> living;
    for (const QPointer<Form>& window : windows) {
        if (window) {
            living.push_back(window.data());
        }
    }
    return living;
}

template <typename Form>
void DeleteAll(std::vector<QPointer<Form>>& windows)
{
    for (const QPointer<Form>& window : windows) {
        delete window.data();
    }
    windows.clear();
}

} // namespace

ReminderDispatcher::ReminderDispatcher(AppContext& context, std::function<Preferences()> preferences, QObject* parent)
    : QObject(parent), m_context(context), m_preferences(std::move(preferences))
{}

ReminderDispatcher::~ReminderDispatcher()
{
    // Reminders are not kept: one shown or waiting when the program ends is gone.
    DeleteAll(m_reminders);
    DeleteAll(m_runQuestions);
}

void ReminderDispatcher::ShowReminder(const TBWItem& message)
{
    Prune(m_reminders);
    auto* form = new TBWMsgForm(message, m_context.clock.Now());
    m_reminders.emplace_back(form);
    form->Popup();

    const Preferences preferences = m_preferences();
    const QString& sound = preferences.AlertSounds.front();
    if (preferences.EnableSounds && !sound.isEmpty()) {
        m_context.sound.PlaySoundFile(sound);
    }
}

void ReminderDispatcher::OpenProgram(const TBWItem& message, const std::string& program, const std::string& parameters)
{
    const QString target = QString::fromLocal8Bit(program);
    if (!m_context.shell.Open(target, QString::fromLocal8Bit(parameters))) {
        ShowErrorLater(TBWRunFilesForm::NotOpenedText(QString::fromLocal8Bit(message.Title), target));
    }
}

void ReminderDispatcher::ConfirmExecuteFiles(const TBWItem& message, const std::string& groupName,
                                             const std::vector<TSplitCommandLine>& commands,
                                             std::function<void(bool run)> answered)
{
    // Nothing to run, nothing to ask.
    if (commands.empty()) {
        return;
    }
    Prune(m_runQuestions);
    auto* form =
        new TBWRunFilesForm(m_context, message, QString::fromLocal8Bit(groupName), commands, std::move(answered));
    m_runQuestions.emplace_back(form);
    form->Popup();
}

void ReminderDispatcher::Beep()
{
    m_context.sound.Beep(ChimeFrequencyHz, ChimeDurationMs);
}

void ReminderDispatcher::LogFailed(const std::string& text)
{
    ShowErrorLater(QString::fromLocal8Bit(text));
}

void ReminderDispatcher::ShowErrorLater(const QString& text)
{
    // The error box is modal; it waits until the due scan that is walking the lists has ended.
    QTimer::singleShot(0, this, [this, text] { m_context.dialogs.ShowError(nullptr, text); });
}

std::vector<TBWMsgForm*> ReminderDispatcher::Reminders() const
{
    return Living(m_reminders);
}

std::vector<TBWRunFilesForm*> ReminderDispatcher::RunQuestions() const
{
    return Living(m_runQuestions);
}
