#include "TerminationWatcher.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

#include <array>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> WatchedSignals = {SIGTERM, SIGHUP, SIGINT};

// The write end is used from the signal handler, where only async-signal-safe calls are allowed.
int g_signalSockets[2] = {-1, -1};

void OnSignal(int signalNumber)
{
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
}

} // namespace

struct TerminationWatcher::Private
{
    std::unique_ptr<QSocketNotifier> notifier;
    std::array<struct sigaction, WatchedSignals.size()> previous{};
};

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent), m_private(std::make_unique<Private>())
{
#if QT_CONFIG(sessionmanager)
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { Q_EMIT SessionEnding(); });
    }
#endif
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSockets) != 0) {
        return;
    }
    ::fcntl(g_signalSockets[0], F_SETFL, O_NONBLOCK);
    m_private->notifier = std::make_unique<QSocketNotifier>(g_signalSockets[1], QSocketNotifier::Read);
    connect(m_private->notifier.get(), &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(g_signalSockets[1], &byte, 1) == 1) {
            Q_EMIT TerminationRequested();
        }
    });
    struct sigaction action
    {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < WatchedSignals.size(); ++i) {
        ::sigaction(WatchedSignals[i], &action, &m_private->previous[i]);
    }
}

TerminationWatcher::~TerminationWatcher()
{
    if (!m_private->notifier) {
        return;
    }
    for (std::size_t i = 0; i < WatchedSignals.size(); ++i) {
        ::sigaction(WatchedSignals[i], &m_private->previous[i], nullptr);
    }
    m_private->notifier.reset();
    ::close(g_signalSockets[0]);
    ::close(g_signalSockets[1]);
    g_signalSockets[0] = g_signalSockets[1] = -1;
}
