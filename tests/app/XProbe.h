#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QProcess;
class VirtualDisplay;
struct xcb_connection_t;

// Looks at an X display from the outside, as a window manager would: which windows exist, whether
// they are shown, what sits inside the tray host, and it can press a window's close box.
class XProbe
{
public:
    using Window = std::uint32_t;
    using TimePoint = std::chrono::steady_clock::time_point;

    explicit XProbe(const QByteArray& display);
    ~XProbe();
    XProbe(const XProbe&) = delete;
    XProbe& operator=(const XProbe&) = delete;

    [[nodiscard]] bool IsConnected() const;

    // The top-level windows whose title is exactly the text.
    [[nodiscard]] std::vector<Window> TopLevelsTitled(const QString& title);
    // The top-level windows whose title ends with the text.
    [[nodiscard]] std::vector<Window> TopLevelsTitledEndingWith(const QString& suffix);
    [[nodiscard]] QString TitleOf(Window window) { return Title(window); }
    // The first top-level window whose WM_CLASS instance name is the text (trayer's "panel").
    [[nodiscard]] std::optional<Window> TopLevelOfInstance(const QByteArray& instance);
    // Whether a window below the given one carries the WM_CLASS class name (an embedded tray icon).
    [[nodiscard]] bool HasDescendantOfClass(Window ancestor, const QByteArray& className);
    [[nodiscard]] bool IsViewable(Window window);
    [[nodiscard]] bool AnyViewableTitled(const QString& title);

    // Whether the window asks to be kept on top (_NET_WM_STATE_ABOVE).
    [[nodiscard]] bool AsksToStayOnTop(Window window) { return AsksForState(window, "_NET_WM_STATE_ABOVE"); }
    // Whether the window asks taskbars to leave it out (_NET_WM_STATE_SKIP_TASKBAR).
    [[nodiscard]] bool AsksToSkipTaskbar(Window window) { return AsksForState(window, "_NET_WM_STATE_SKIP_TASKBAR"); }
    // The window's _NET_WM_USER_TIME, if it has one: 0 asks the window manager not to activate it.
    [[nodiscard]] std::optional<std::uint32_t> UserTime(Window window);
    // The window that has the keyboard focus (or None, PointerRoot).
    [[nodiscard]] Window InputFocus();
    // The window's contents as the display shows them.
    [[nodiscard]] QImage Grab(Window window);

    // The close box: WM_DELETE_WINDOW, as a window manager sends it.
    void SendDeleteWindow(Window window);

    // From now on, notes the windows mapped on the root and the requests to iconify a window.
    void WatchRoot();
    // Reads the events that have arrived.
    void Drain();
    // Forgets the events noted so far.
    void Reset();
    [[nodiscard]] bool SawIconifyRequest(Window window) const;
    // When the first window with this title was mapped, if it was.
    [[nodiscard]] std::optional<TimePoint> MapTimeOf(const QString& title);

private:
    [[nodiscard]] std::uint32_t Atom(const char* name);
    [[nodiscard]] bool AsksForState(Window window, const char* state);
    [[nodiscard]] QByteArray Property(Window window, std::uint32_t property);
    [[nodiscard]] QString Title(Window window);
    [[nodiscard]] std::vector<Window> Children(Window window);

    struct Mapped
    {
        Window window;
        TimePoint when;
    };

    xcb_connection_t* m_connection = nullptr;
    Window m_root = 0;
    std::vector<Mapped> m_mapped;
    std::vector<Window> m_iconifyRequests;
};

// Starts a tray host (Debian's trayer) at the bottom edge of the display and waits until its panel
// is there; nothing when it did not come up in time.
[[nodiscard]] std::unique_ptr<QProcess> StartTrayHost(const VirtualDisplay& display, XProbe& probe);
