#include "TerminationWatcher.h"

#include <QGuiApplication>

#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

// On Windows the end of the session is the only outside request to end; it arrives as Qt's
// commit-data request (WM_QUERYENDSESSION underneath).
struct TerminationWatcher::Private
{};

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent), m_private(std::make_unique<Private>())
{
#if QT_CONFIG(sessionmanager)
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { Q_EMIT SessionEnding(); });
    }
#endif
}

TerminationWatcher::~TerminationWatcher() = default;
