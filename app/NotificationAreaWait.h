#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

class NotificationArea;

// Waits for the desktop's notification area without holding up the program: it asks at once, then
// again at every interval, and calls back as soon as the area is there or the time is up. The event
// loop runs meanwhile, so a request to end the program is served during the wait.
class NotificationAreaWait : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(bool available)>;

    NotificationAreaWait(const NotificationArea& area, std::chrono::milliseconds limit,
                         std::chrono::milliseconds interval, Done done, QObject* parent = nullptr);

    // Calls back before returning when the area is there already.
    void Start();
    [[nodiscard]] bool IsFinished() const { return m_finished; }

private:
    void Poll();
    void Finish(bool available);

    const NotificationArea& m_area;
    std::chrono::milliseconds m_limit;
    Done m_done;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
    bool m_finished = false;
};
