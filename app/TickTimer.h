#pragma once

#include <QObject>

#include <functional>

class Dialogs;
class QTimer;
class QWidget;

// The one-second timer that drives the scheduler, running from the moment the main window exists.
//
// Qt never fires a timer again while its own handler still runs. A tick that waits inside that
// handler (the pull's wait for its transfers, an error box, a command the user starts meanwhile)
// would therefore hold back every later tick, and with them every delivery, until it returned.
// So the timer only posts the tick; the tick runs as a posted event, and ticks that come due while
// it waits run inside its wait, each in full.
//
// Ticks are dropped until Begin(): before the preferences are read, a tick would sort the list and
// play sounds by the defaults, not by what the user chose.
class TickTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr int IntervalMs = 1000;

    // A failure ends its tick and is shown in the error box over the window.
    TickTimer(std::function<void()> tick, Dialogs& dialogs, QWidget& window);

    void Begin() { m_begun = true; }

private:
    void RunTick();
    void Report(const char* text);

    std::function<void()> m_tick;
    Dialogs& m_dialogs;
    QWidget& m_window;
    QTimer* m_timer;
    bool m_begun = false;
    bool m_reporting = false;
};
