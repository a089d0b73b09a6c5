#include "TrayController.h"

#include "Artwork.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

TrayController::TrayController(QObject* parent)
    : QObject(parent), m_menu(std::make_unique<QMenu>()), m_icon(new QSystemTrayIcon(ProgramIcon(), this))
{
    m_icon->setObjectName(QStringLiteral("trayIcon"));
    m_icon->setToolTip(tr("Bellwick"));
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    QAction* openAction = m_menu->addAction(tr("Open"));
    openAction->setObjectName(QStringLiteral("openAction"));
    m_menu->setDefaultAction(openAction);
    QAction* exitAction = m_menu->addAction(tr("Exit"));
    exitAction->setObjectName(QStringLiteral("exitAction"));
    m_icon->setContextMenu(m_menu.get());

    connect(openAction, &QAction::triggered, this, &TrayController::OpenRequested);
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

void TrayController::SetToolTip(const QString& text)
{
    if (m_icon->toolTip() != text) {
        m_icon->setToolTip(text);
    }
}
