#include "TrayController.h"

#include "Artwork.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

#include <algorithm>

TrayController::TrayController(QObject* parent)
    : QObject(parent), m_menu(std::make_unique<QMenu>()), m_icon(new QSystemTrayIcon(ProgramIcon(), this))
{
    m_icon->setObjectName(QStringLiteral("trayIcon"));
    m_icon->setToolTip(tr("Bellwick"));
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    QAction* openAction = m_menu->addAction(tr("Open"));
    openAction->setObjectName(QStringLiteral("openAction"));
    m_menu->setDefaultAction(openAction);
    QAction* newAction = m_menu->addAction(tr("New reminder…"));
    newAction->setObjectName(QStringLiteral("newReminderAction"));
    m_menu->addSeparator();
    // The entries stay in place and only change their texts: a menu that a tray shows through the
    // desktop's own menu service follows changed entries more reliably than replaced ones.
    for (int i = 0; i < UpcomingCount; ++i) {
        QAction* action = m_menu->addAction(QString());
        action->setObjectName(QStringLiteral("upcomingAction%1").arg(i));
        action->setVisible(false);
        m_upcomingActions.push_back(action);
        connect(action, &QAction::triggered, this, [this, i] {
            if (static_cast<std::size_t>(i) < m_upcoming.size()) {
                const Upcoming chosen = m_upcoming[static_cast<std::size_t>(i)];
                Q_EMIT ReminderRequested(chosen.Id, chosen.GroupName);
            }
        });
    }
    m_nothingComingAction = m_menu->addAction(tr("No reminders to come"));
    m_nothingComingAction->setObjectName(QStringLiteral("nothingComingAction"));
    m_nothingComingAction->setEnabled(false);
    m_menu->addSeparator();
    m_pauseAction = m_menu->addAction(tr("Pause reminders for 1 hour"));
    m_pauseAction->setObjectName(QStringLiteral("pauseAction"));
    m_menu->addSeparator();
    QAction* exitAction = m_menu->addAction(tr("Exit"));
    exitAction->setObjectName(QStringLiteral("exitAction"));
    m_icon->setContextMenu(m_menu.get());

    connect(openAction, &QAction::triggered, this, &TrayController::OpenRequested);
    connect(newAction, &QAction::triggered, this, &TrayController::NewReminderRequested);
    connect(m_pauseAction, &QAction::triggered, this, [this] {
        if (m_paused) {
            Q_EMIT ResumeRequested();
        } else {
            Q_EMIT PauseRequested();
        }
    });
    connect(exitAction, &QAction::triggered, this, &TrayController::ExitRequested);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
            Q_EMIT OpenRequested();
        }
    });
}

TrayController::~TrayController()
{
    m_icon->hide();
    m_icon->setContextMenu(nullptr);
}

void TrayController::Show()
{
    m_icon->show();
}

bool TrayController::IsShown() const
{
    return m_icon->isVisible();
}

void TrayController::SetWarning(bool warning)
{
    if (warning != m_warning) {
        m_warning = warning;
        m_icon->setIcon(warning ? ProgramWarningIcon() : ProgramIcon());
    }
}

void TrayController::SetUpcoming(const std::vector<Upcoming>& upcoming)
{
    std::vector<Upcoming> shown(upcoming.begin(),
                                upcoming.begin() + std::min<std::ptrdiff_t>(std::ssize(upcoming), UpcomingCount));
    if (shown == m_upcoming) {
        return;
    }
    m_upcoming = std::move(shown);
    for (std::size_t i = 0; i < m_upcomingActions.size(); ++i) {
        QAction* action = m_upcomingActions[i];
        const bool used = i < m_upcoming.size();
        // An ampersand in a title would otherwise mark a shortcut letter.
        action->setText(used ? QString(m_upcoming[i].Text).replace(QLatin1Char('&'), QLatin1String("&&")) : QString());
        action->setVisible(used);
    }
    m_nothingComingAction->setVisible(m_upcoming.empty());
}

void TrayController::SetPaused(bool paused)
{
    if (paused != m_paused) {
        m_paused = paused;
        m_pauseAction->setText(paused ? tr("Resume reminders") : tr("Pause reminders for 1 hour"));
    }
}

void TrayController::SetToolTip(const QString& text)
{
    if (m_icon->toolTip() != text) {
        m_icon->setToolTip(text);
    }
}
