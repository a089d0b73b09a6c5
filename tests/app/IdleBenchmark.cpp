// How much processor time the real program uses while it only waits: 10 000 messages, none of them
// due, the one-second tick with its due scan every five seconds, once with the main window shown and
// once with only the tray icon. Run by hand:
//     bwclient_idle_bench [seconds] [messages]
// It starts its own Xvfb and trayer, so it needs no display of its own. Linux only (/proc).
#include "ProgramHome.h"
#include "SystemClock.h"
#include "TestMessages.h"
#include "VirtualDisplay.h"
#include "XProbe.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <optional>

#include <unistd.h>

namespace {

const QString Caption = QStringLiteral("Bellwick (Ann)");

// User plus system time of the process so far, in seconds, from /proc/PID/stat.
std::optional<double> ProcessorSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray text = stat.readAll();
    // The program's name, in parentheses, may hold blanks; the numbered fields follow the last ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) {
        return std::nullopt;
    }
    const double ticks = fields[11].toDouble() + fields[12].toDouble(); // utime, stime
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

bool Measure(const ProgramHome& home, const VirtualDisplay& display, XProbe& probe, bool hidden, int seconds)
{
    const auto program =
        home.Start(hidden ? QStringList{QStringLiteral("/m")} : QStringList{}, QStringLiteral("xcb"), display.Name());
    const bool started =
        hidden ? WaitUntil([&] { return home.HasStarted(); }, std::chrono::milliseconds(30000))
               : WaitUntil([&] { return probe.AnyViewableTitled(Caption); }, std::chrono::milliseconds(30000));
    if (!started) {
        std::fprintf(stderr, "the program did not start\n");
        return false;
    }
    // Past the start: the tray wait, the first scans, the first repaint.
    QThread::sleep(10);
    const std::optional<double> before = ProcessorSeconds(program->processId());
    QThread::sleep(static_cast<unsigned long>(seconds));
    const std::optional<double> after = ProcessorSeconds(program->processId());
    Terminate(*program);
    program->waitForFinished(30000);
    if (!before || !after) {
        std::fprintf(stderr, "could not read /proc for the program\n");
        return false;
    }
    const double used = *after - *before;
    std::printf("%-22s %6.2f s of processor time in %d s (%.3f %%)\n",
                hidden ? "only the tray icon:" : "main window shown:", used, seconds, 100.0 * used / seconds);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int seconds = arguments.size() > 1 ? std::max(1, arguments[1].toInt()) : 60;
    const int messages = arguments.size() > 2 ? std::max(0, arguments[2].toInt()) : 10000;

    VirtualDisplay display;
    if (!display.IsRunning()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    XProbe probe(display.Name());
    const auto trayHost = StartTrayHost(display, probe);
    if (!trayHost) {
        std::fprintf(stderr, "trayer did not start\n");
        return 1;
    }

    // Every message lies a week or more ahead, so the scans find nothing due and nothing pops up.
    ProgramHome home;
    WritePersonalList(home.DataFolder(), MakeSampleList(messages, SystemClock().Now() + 10.0));
    std::printf("%d messages, none due, %d s measured after 10 s of settling\n", messages, seconds);
    const bool ok = Measure(home, display, probe, false, seconds) && Measure(home, display, probe, true, seconds);
    EndProcess(*trayHost);
    return ok ? 0 : 1;
}
