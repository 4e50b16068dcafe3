#include "app/frame_extents.h"

#include <QGuiApplication>
#include <QWindow>

#if TALLYVANE_HAVE_XCB
#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#endif

namespace tallyvane {

#if TALLYVANE_HAVE_XCB
namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Take(T* reply) {
    return Reply<T>(reply, &std::free);
}

struct Atoms {
    xcb_atom_t extents, request, supported;
};

// The three atoms, asked for together: one round trip.
Atoms InternAtoms(xcb_connection_t* x) {
    constexpr std::array<const char*, 3> kNames{"_NET_FRAME_EXTENTS", "_NET_REQUEST_FRAME_EXTENTS",
                                                "_NET_SUPPORTED"};
    std::array<xcb_intern_atom_cookie_t, 3> cookies{};
    for (std::size_t i = 0; i < kNames.size(); ++i)
        cookies[i] = xcb_intern_atom(x, 0, std::strlen(kNames[i]), kNames[i]);
    std::array<xcb_atom_t, 3> atoms{};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const auto reply = Take(xcb_intern_atom_reply(x, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    return {atoms[0], atoms[1], atoms[2]};
}

xcb_get_property_cookie_t AskCardinals(xcb_connection_t* x, xcb_window_t window,
                                       xcb_atom_t property, std::uint32_t count) {
    return xcb_get_property(x, 0, window, property, XCB_ATOM_ANY, 0, count);
}

// The 32-bit values of a window property asked for with AskCardinals.
std::vector<std::uint32_t> Cardinals(xcb_connection_t* x, xcb_get_property_cookie_t cookie) {
    const auto reply = Take(xcb_get_property_reply(x, cookie, nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// The property's left, right, top and bottom, in device pixels.
std::optional<QMargins> Margins(const std::vector<std::uint32_t>& v, qreal ratio) {
    if (v.size() != 4)
        return std::nullopt;
    return QMargins(qRound(v[0] / ratio), qRound(v[2] / ratio), qRound(v[1] / ratio),
                    qRound(v[3] / ratio));
}

// Until the deadline, whether `property` of `window` changes: the events that the connection
// selected arrive as they come, with no polling in between.
bool AwaitPropertyChange(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property,
                         std::chrono::steady_clock::time_point deadline) {
    pollfd readable{xcb_get_file_descriptor(x), POLLIN, 0};
    for (;;) {
        while (const auto event = Take(xcb_poll_for_event(x))) {
            const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
            if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY && change->window == window &&
                change->atom == property)
                return true;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (xcb_connection_has_error(x) || left.count() <= 0)
            return false;
        poll(&readable, 1, static_cast<int>(left.count()));
    }
}

}  // namespace

// The request on a connection of our own: one that selects the window's property changes
// without touching the event mask of Qt's connection, whose events Qt reads on a thread of its
// own. The request goes out whether or not the window manager answers such requests (EWMH):
// one that does not ignores it.
struct FrameRequest::Pending {
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection{nullptr,
                                                                            &xcb_disconnect};
    xcb_window_t window = XCB_WINDOW_NONE;
    qreal ratio = 1.0;
    Atoms atoms{};
    xcb_get_property_cookie_t extents{}, supported{};
};

FrameRequest::FrameRequest(const QWindow& window) {
    if (!qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return;
    auto pending = std::make_unique<Pending>();
    pending->connection.reset(xcb_connect(nullptr, nullptr));
    xcb_connection_t* x = pending->connection.get();
    if (xcb_connection_has_error(x))
        return;
    pending->window = static_cast<xcb_window_t>(window.winId());
    pending->ratio = window.devicePixelRatio();
    pending->atoms = InternAtoms(x);
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x, pending->window, XCB_CW_EVENT_MASK, &mask);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    pending->extents = AskCardinals(x, pending->window, pending->atoms.extents, 4);
    pending->supported = AskCardinals(x, root, pending->atoms.supported, 1024);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = pending->window;
    message.type = pending->atoms.request;
    xcb_send_event(x, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(x);
    m_pending = std::move(pending);
}

FrameRequest::~FrameRequest() = default;

std::optional<QMargins> FrameRequest::answer(std::chrono::milliseconds wait) {
    if (!m_pending)
        return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    const std::unique_ptr<Pending> p = std::move(m_pending);
    xcb_connection_t* x = p->connection.get();
    if (std::optional<QMargins> margins = Margins(Cardinals(x, p->extents), p->ratio))
        return margins;
    const std::vector<std::uint32_t> requests = Cardinals(x, p->supported);
    if (std::find(requests.begin(), requests.end(), p->atoms.request) == requests.end() ||
        !AwaitPropertyChange(x, p->window, p->atoms.extents, deadline))
        return std::nullopt;
    return Margins(Cardinals(x, AskCardinals(x, p->window, p->atoms.extents, 4)), p->ratio);
}

std::optional<QMargins> FrameExtents(const QWindow& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* x = x11 ? x11->connection() : nullptr;
    if (!x)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t extents = InternAtoms(x).extents;
    // The property is in device pixels.
    return Margins(Cardinals(x, AskCardinals(x, id, extents, 4)), window.devicePixelRatio());
}
#else
std::optional<QMargins> FrameExtents(const QWindow&) {
    return std::nullopt;
}

struct FrameRequest::Pending {};

FrameRequest::FrameRequest(const QWindow&) {}

FrameRequest::~FrameRequest() = default;

std::optional<QMargins> FrameRequest::answer(std::chrono::milliseconds) {
    return std::nullopt;
}
#endif

}  // namespace tallyvane
