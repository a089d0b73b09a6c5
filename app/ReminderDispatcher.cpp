#include "ReminderDispatcher.h"

#include "AppContext.h"
#include "Clock.h"
#include "Dialogs.h"
#include "DueTimeText.h"
#include "NotificationReminders.h"
#include "PopUpCascade.h"
#include "Shell.h"
#include "ShownText.h"
#include "SoundPlayer.h"
#include "TBWMsgForm.h"
#include "TBWOverflowForm.h"
#include "TBWRunFilesForm.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr double MillisecondsPerDay = 86400000.0;
// A speaker cannot tell apart two alerts within a second; thousands due together play one.
constexpr double AlertGapDays = 1.0 / 86400.0;

// The time from one moment to a later one; none if it has passed.
std::chrono::milliseconds Until(double from, double to)
{
    return std::chrono::milliseconds(std::llround(std::max(to - from, 0.0) * MillisecondsPerDay));
}

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

template <typename Form>
void AddShown(const std::vector<QPointer<Form>>& windows, const QWidget* leaving, std::vector<const QWidget*>& shown)
{
    for (const QPointer<Form>& window : windows) {
        if (window && window->isVisible() && window.data() != leaving) {
            shown.push_back(window.data());
        }
    }
}

QString FromBytes(const std::string& text)
{
    return QString::fromLocal8Bit(text);
}

} // namespace

ReminderDispatcher::ReminderDispatcher(AppContext& context, std::function<Preferences()> preferences, QObject* parent)
    : QObject(parent), m_context(context), m_preferences(std::move(preferences)),
      m_postponed(ListFiles(context.dataFolder,
                            [&context](const QString& text) { context.dialogs.ShowNotice(nullptr, text); })),
      m_overflow(std::make_unique<TBWOverflowForm>())
{
    if (m_context.notifications != nullptr) {
        m_notices = std::make_unique<NotificationReminders>(*m_context.notifications);
        ConnectNotifications();
    }
}

ReminderDispatcher::~ReminderDispatcher()
{
    // Reminders put off stay in their file; the windows go with the program, and what they say as
    // they go is no longer heard.
    for (const auto& window : m_runQuestions) {
        if (window) {
            window->disconnect(this);
        }
    }
    DeleteAll(m_reminders);
    DeleteAll(m_runQuestions);
}

void ReminderDispatcher::ShowReminder(const TBWItem& message, const std::string& groupName)
{
    const QString group = FromBytes(groupName);
    if (NotifiesThroughDesktop()) {
        Notify(++m_lastKey, message, group, [this, copy = message, group] { ShowPopUp(copy, group); });
    } else {
        ShowPopUp(message, group);
    }
    PlayAlert();
}

void ReminderDispatcher::ShowPopUp(const TBWItem& message, const QString& groupName)
{
    if (HasRoom()) {
        OpenPopUp(message);
    } else {
        AddToOverflow(message, groupName, [this, copy = message] { OpenPopUp(copy); });
    }
}

void ReminderDispatcher::OpenPopUp(const TBWItem& message, std::optional<double> comeBack, PostponedReminders::Key key)
{
    Prune(m_reminders);
    const double now = m_context.clock.Now();
    auto* form = new TBWMsgForm(message, now);
    m_reminders.emplace_back(form);
    if (key == 0) {
        key = ++m_lastKey;
    }
    connect(form, &TBWMsgForm::Postponed, this, [this, key, form, copy = message](qint64 delayMs) {
        m_postponed.Put(key, copy, m_context.clock.Now() + static_cast<double>(delayMs) / MillisecondsPerDay);
        Q_EMIT PostponedChanged();
        FillFreePlaces(form);
    });
    connect(form, &TBWMsgForm::Dismissed, this, [this, key, form] {
        m_postponed.Remove(key);
        Q_EMIT PostponedChanged();
        FillFreePlaces(form);
    });
    connect(form, &TBWMsgForm::ComingBack, this, [this, key, form, copy = message] {
        const double back = m_context.clock.Now();
        if (const std::optional<double> until = HeldUntil(back)) {
            // Held back, and noted as such, so that a restart meanwhile still brings it.
            m_postponed.Put(key, copy, *until);
            form->WaitFor(Until(back, *until));
            return;
        }
        // Pop-ups shown meanwhile may have taken its place.
        Place(*form);
    });
    if (comeBack) {
        m_postponed.Put(key, message, *comeBack);
        form->WaitFor(Until(now, *comeBack));
        return;
    }
    Place(*form);
    form->Popup();
}

std::optional<double> ReminderDispatcher::HeldUntil(double now) const
{
    const std::optional<double> until = m_pausedUntil ? m_pausedUntil() : std::nullopt;
    return until && *until > now ? until : std::nullopt;
}

bool ReminderDispatcher::NotifiesThroughDesktop() const
{
    return m_notices != nullptr && m_preferences().NotifyThroughDesktop;
}

void ReminderDispatcher::Notify(PostponedReminders::Key key, const TBWItem& message, const QString& groupName,
                                std::function<void()> failed)
{
    const QString from = FromText(message, groupName);
    QString body = ShownLines(message.Text, ShownLabelLength);
    //: The last line of a reminder's desktop notification: %1 its author (and group).
    body += (body.isEmpty() ? QString() : QStringLiteral("\n\n")) + tr("From %1").arg(from);
    m_notices->Send(key, message, TBWMsgForm::Caption(message.LastDueTime, message.Title, m_context.clock.Now()), body,
                    std::move(failed));
}

void ReminderDispatcher::ConnectNotifications()
{
    connect(m_notices.get(), &NotificationReminders::Postponed, this,
            [this](PostponedReminders::Key key, qint64 delayMs) {
                m_postponed.Put(key, *m_notices->Message(key),
                                m_context.clock.Now() + static_cast<double>(delayMs) / MillisecondsPerDay);
                Q_EMIT PostponedChanged();
            });
    connect(m_notices.get(), &NotificationReminders::Dismissed, this, [this](PostponedReminders::Key key) {
        m_postponed.Remove(key);
        Q_EMIT PostponedChanged();
    });
    connect(m_notices.get(), &NotificationReminders::ComingBack, this, &ReminderDispatcher::NotificationComingBack);
}

void ReminderDispatcher::NotificationComingBack(PostponedReminders::Key key)
{
    const TBWItem message = *m_notices->Message(key);
    const double now = m_context.clock.Now();
    if (const std::optional<double> until = HeldUntil(now)) {
        m_postponed.Put(key, message, *until);
        m_notices->WaitFor(key, message, Until(now, *until));
        return;
    }
    // The option may have been switched off meanwhile; the pop-up takes over the key.
    const auto toPopUp = [this, key, message] {
        m_notices->Forget(key);
        OpenPopUp(message, std::nullopt, key);
    };
    if (NotifiesThroughDesktop()) {
        Notify(key, message, QString(), toPopUp);
    } else {
        toPopUp();
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
    const QString group = FromBytes(groupName);
    if (HasRoom()) {
        OpenRunQuestion(message, group, commands, std::move(answered));
    } else {
        AddToOverflow(message, group, [this, copy = message, group, commands, answered = std::move(answered)] {
            OpenRunQuestion(copy, group, commands, answered);
        });
    }
}

void ReminderDispatcher::OpenRunQuestion(const TBWItem& message, const QString& groupName,
                                         const std::vector<TSplitCommandLine>& commands,
                                         std::function<void(bool run)> answered)
{
    Prune(m_runQuestions);
    auto* form = new TBWRunFilesForm(m_context, message, groupName, commands, std::move(answered));
    m_runQuestions.emplace_back(form);
    connect(form, &QObject::destroyed, this, [this, form] { FillFreePlaces(form); });
    Place(*form);
    form->Popup();
}

bool ReminderDispatcher::HasRoom(const QWidget* leaving) const
{
    std::vector<const QWidget*> shown;
    AddShown(m_reminders, leaving, shown);
    AddShown(m_runQuestions, leaving, shown);
    return static_cast<int>(shown.size()) < MaxOpenWindows;
}

void ReminderDispatcher::Place(QWidget& window)
{
    std::vector<const QWidget*> shown;
    AddShown(m_reminders, &window, shown);
    AddShown(m_runQuestions, &window, shown);
    std::vector<QPoint> taken;
    taken.reserve(shown.size());
    for (const QWidget* other : shown) {
        taken.push_back(other->pos());
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    window.adjustSize();
    // About a title bar: each window shows the title of the one beneath it. The frame the desktop
    // puts round a window is not known before it is shown; a step's worth is kept free for it.
    const int step = QFontMetrics(window.font()).height() + 8;
    window.move(CascadePosition(screen->availableGeometry(), window.size() + QSize(step, step), taken, step));
}

void ReminderDispatcher::AddToOverflow(const TBWItem& message, const QString& groupName, std::function<void()> open)
{
    m_overflow->Add({DueTimeText(message.LastDueTime, m_context.clock.Now()), FromBytes(message.Title),
                     FromText(message, groupName), std::move(open)});
}

QString ReminderDispatcher::FromText(const TBWItem& message, const QString& groupName)
{
    const QString author = FromBytes(message.Author);
    //: The sender of a reminder and, in parentheses, the group it came through.
    return groupName.isEmpty() ? author : tr("%1 (%2)").arg(author, groupName);
}

void ReminderDispatcher::FillFreePlaces(const QWidget* leaving)
{
    if (m_overflow->Count() > 0 && HasRoom(leaving)) {
        // Opened once the closing window is gone, so that the new one may take its place.
        QTimer::singleShot(0, this, [this] {
            while (m_overflow->Count() > 0 && HasRoom()) {
                m_overflow->OpenFirst();
            }
        });
    }
}

void ReminderDispatcher::RestorePostponed()
{
    const TBWItemList kept = m_postponed.Load();
    const double now = m_context.clock.Now();
    for (const auto& message : kept) {
        if (NotifiesThroughDesktop()) {
            const PostponedReminders::Key key = ++m_lastKey;
            m_postponed.Put(key, *message, message->DueTime);
            m_notices->WaitFor(key, *message, Until(now, message->DueTime));
        } else {
            OpenPopUp(*message, message->DueTime);
        }
    }
    if (!kept.empty()) {
        Q_EMIT PostponedChanged();
    }
}

void ReminderDispatcher::PlayAlert()
{
    const double now = m_context.clock.Now();
    if (std::abs(now - m_lastAlert) < AlertGapDays) {
        return;
    }
    const Preferences preferences = m_preferences();
    const QString& sound = preferences.AlertSounds.front();
    if (!preferences.EnableSounds || sound.isEmpty()) {
        return;
    }
    m_lastAlert = now;
    m_context.sound.PlaySoundFile(sound);
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
