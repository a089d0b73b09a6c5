#include "TaskbarHint.h"

#include <QWidget>

#ifdef BW_HAVE_XCB
#include <QGuiApplication>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#endif

#ifdef BW_HAVE_XCB
namespace {

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const ReplyPointer<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Adds _NET_WM_STATE_SKIP_TASKBAR to the states the window asks for. Qt merges its own states into
// the property when it maps the window, so the hint set here survives the showing.
void AskToSkipTaskbar(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_atom_t stateAtom = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (stateAtom == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE) {
        return;
    }
    std::vector<xcb_atom_t> states;
    const ReplyPointer<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, stateAtom, XCB_ATOM_ATOM, 0, 1024),
                               nullptr),
        &std::free);
    if (reply && reply->type == XCB_ATOM_ATOM && reply->format == 32) {
        const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        states.assign(values, values + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t));
    }
    if (std::find(states.begin(), states.end(), skipTaskbar) != states.end()) {
        return;
    }
    states.push_back(skipTaskbar);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, stateAtom, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}

} // namespace
#endif

void KeepOffTaskbar(QWidget& window)
{
#ifdef BW_HAVE_XCB
    // Only on X11: other platforms (Wayland, the offscreen one of the tests, which answers as X11
    // without a connection) have no such hint.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 != nullptr && x11->connection() != nullptr) {
        AskToSkipTaskbar(x11->connection(), static_cast<xcb_window_t>(window.winId()));
    }
#else
    (void)window;
#endif
}
