#include "XProbe.h"

#include "ProgramHome.h"
#include "VirtualDisplay.h"

#include <QByteArrayList>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Own(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

constexpr std::uint32_t IconicState = 3;

} // namespace

XProbe::XProbe(const QByteArray& display)
{
    int screenNumber = 0;
    m_connection = xcb_connect(display.constData(), &screenNumber);
    if (!IsConnected()) {
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    m_root = screens.data->root;
}

XProbe::~XProbe()
{
    if (m_connection != nullptr) {
        xcb_disconnect(m_connection);
    }
}

bool XProbe::IsConnected() const
{
    return m_connection != nullptr && xcb_connection_has_error(m_connection) == 0;
}

std::uint32_t XProbe::Atom(const char* name)
{
    auto reply = Own(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<std::uint32_t>(XCB_ATOM_NONE);
}

QByteArray XProbe::Property(Window window, std::uint32_t property)
{
    auto reply = Own(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
        nullptr));
    if (!reply) {
        return {};
    }
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

QString XProbe::Title(Window window)
{
    const QByteArray utf8 = Property(window, Atom("_NET_WM_NAME"));
    return utf8.isEmpty() ? QString::fromLatin1(Property(window, XCB_ATOM_WM_NAME)) : QString::fromUtf8(utf8);
}

std::vector<XProbe::Window> XProbe::Children(Window window)
{
    auto reply = Own(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
    if (!reply) {
        return {};
    }
    const xcb_window_t* children = xcb_query_tree_children(reply.get());
    return std::vector<Window>(children, children + xcb_query_tree_children_length(reply.get()));
}

std::vector<XProbe::Window> XProbe::TopLevelsTitled(const QString& title)
{
    std::vector<Window> found;
    for (const Window window : Children(m_root)) {
        if (Title(window) == title) {
            found.push_back(window);
        }
    }
    return found;
}

std::vector<XProbe::Window> XProbe::TopLevelsTitledEndingWith(const QString& suffix)
{
    std::vector<Window> found;
    for (const Window window : Children(m_root)) {
        if (Title(window).endsWith(suffix)) {
            found.push_back(window);
        }
    }
    return found;
}

std::optional<XProbe::Window> XProbe::TopLevelOfInstance(const QByteArray& instance)
{
    for (const Window window : Children(m_root)) {
        const QByteArray wmClass = Property(window, XCB_ATOM_WM_CLASS);
        if (wmClass.split('\0').value(0) == instance) {
            return window;
        }
    }
    return std::nullopt;
}

bool XProbe::HasDescendantOfClass(Window ancestor, const QByteArray& className)
{
    for (const Window child : Children(ancestor)) {
        if (Property(child, XCB_ATOM_WM_CLASS).split('\0').value(1) == className ||
            HasDescendantOfClass(child, className)) {
            return true;
        }
    }
    return false;
}

bool XProbe::IsViewable(Window window)
{
    auto reply =
        Own(xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool XProbe::AnyViewableTitled(const QString& title)
{
    for (const Window window : TopLevelsTitled(title)) {
        if (IsViewable(window)) {
            return true;
        }
    }
    return false;
}

bool XProbe::AsksForState(Window window, const char* stateName)
{
    const QByteArray states = Property(window, Atom("_NET_WM_STATE"));
    const std::uint32_t wanted = Atom(stateName);
    for (qsizetype offset = 0; offset + 4 <= states.size(); offset += 4) {
        std::uint32_t state = 0;
        std::memcpy(&state, states.constData() + offset, sizeof state);
        if (state == wanted) {
            return true;
        }
    }
    return false;
}

std::optional<std::uint32_t> XProbe::UserTime(Window window)
{
    const QByteArray value = Property(window, Atom("_NET_WM_USER_TIME"));
    if (value.size() < 4) {
        return std::nullopt;
    }
    std::uint32_t time = 0;
    std::memcpy(&time, value.constData(), sizeof time);
    return time;
}

XProbe::Window XProbe::InputFocus()
{
    auto reply = Own(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    return reply ? reply->focus : static_cast<Window>(XCB_NONE);
}

QImage XProbe::Grab(Window window)
{
    auto geometry = Own(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    if (!geometry || geometry->depth != 24) {
        return {};
    }
    auto image = Own(xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, geometry->width, geometry->height, ~0U),
        nullptr));
    if (!image) {
        return {};
    }
    // Depth 24 comes as 32 bits a pixel, blue first: QImage's RGB32 on a little-endian machine.
    const QImage view(xcb_get_image_data(image.get()), geometry->width, geometry->height, QImage::Format_RGB32);
    return view.copy();
}

void XProbe::SendDeleteWindow(Window window)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = Atom("WM_PROTOCOLS");
    event.data.data32[0] = Atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    xcb_flush(m_connection);
}

void XProbe::WatchRoot()
{
    // Structure events of the root carry the requests to iconify (ICCCM), substructure events the maps.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
}

void XProbe::Drain()
{
    const std::uint32_t changeState = Atom("WM_CHANGE_STATE");
    while (auto event = Own(xcb_poll_for_event(m_connection))) {
        const auto now = std::chrono::steady_clock::now();
        switch (event->response_type & 0x7f) {
        case XCB_MAP_NOTIFY: {
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            m_mapped.push_back({map->window, now});
            break;
        }
        case XCB_CLIENT_MESSAGE: {
            const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event.get());
            if (message->type == changeState && message->data.data32[0] == IconicState) {
                m_iconifyRequests.push_back(message->window);
            }
            break;
        }
        default:
            break;
        }
    }
}

void XProbe::Reset()
{
    Drain();
    m_mapped.clear();
    m_iconifyRequests.clear();
}

bool XProbe::SawIconifyRequest(Window window) const
{
    for (const Window requested : m_iconifyRequests) {
        if (requested == window) {
            return true;
        }
    }
    return false;
}

std::optional<XProbe::TimePoint> XProbe::MapTimeOf(const QString& title)
{
    for (const Mapped& mapped : m_mapped) {
        if (Title(mapped.window) == title) {
            return mapped.when;
        }
    }
    return std::nullopt;
}

std::unique_ptr<QProcess> StartTrayHost(const VirtualDisplay& display, XProbe& probe)
{
    auto trayHost = display.Run(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("bottom"),
                                                           QStringLiteral("--widthtype"), QStringLiteral("request")});
    if (!WaitFor([&] { return probe.TopLevelOfInstance("panel").has_value(); }, 20000)) {
        EndProcess(*trayHost);
        return nullptr;
    }
    return trayHost;
}
