// How long the real program takes from being started to showing its main window, with 10 000
// messages in its list and a tray host on the display. Run by hand:
//     bwclient_startup_bench [runs] [messages]
// It starts its own Xvfb and trayer, so it needs no display of its own.
#include "DateTime.h"
#include "ProgramHome.h"
#include "TestMessages.h"
#include "VirtualDisplay.h"
#include "XProbe.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

const QString Caption = QStringLiteral("Bellwick (Ann)");

double Milliseconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const int messages = argc > 2 ? std::max(0, std::atoi(argv[2])) : 10000;

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

    ProgramHome home;
    WritePersonalList(home.DataFolder(), MakeSampleList(messages, EncodeDateTime(2024, 3, 14, 12, 0)));
    probe.WatchRoot();

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        probe.Reset();
        const auto started = std::chrono::steady_clock::now();
        const auto program = home.Start({}, QStringLiteral("xcb"), display.Name());
        std::optional<XProbe::TimePoint> shown;
        while (!shown && std::chrono::steady_clock::now() - started < std::chrono::seconds(30)) {
            QThread::msleep(1);
            probe.Drain();
            shown = probe.MapTimeOf(Caption);
        }
        if (!shown) {
            std::fprintf(stderr, "run %d: the window did not appear\n", run + 1);
            return 1;
        }
        times.push_back(Milliseconds(*shown - started));
        std::printf("run %2d: main window shown after %.1f ms\n", run + 1, times.back());
        Terminate(*program);
        program->waitForFinished(30000);
    }
    EndProcess(*trayHost);
    std::sort(times.begin(), times.end());
    std::printf("%d messages, %d runs: min %.1f ms, median %.1f ms, max %.1f ms\n", messages, runs, times.front(),
                times[times.size() / 2], times.back());
    return 0;
}
