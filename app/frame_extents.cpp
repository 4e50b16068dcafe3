#include "app/frame_extents.h"

#include <QGuiApplication>
#include <QThread>
#include <QWindow>

#if TALLYVANE_HAVE_XCB
#include <xcb/xcb.h>

#include <algorithm>
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

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window property, up to `count` of them.
std::vector<std::uint32_t> Cardinals(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property,
                                     std::uint32_t count) {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, property, XCB_ATOM_ANY, 0, count),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

}  // namespace

std::optional<QMargins> FrameExtents(const QWindow& window, std::chrono::milliseconds wait) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* x = x11 ? x11->connection() : nullptr;
    if (!x)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t extents = Atom(x, "_NET_FRAME_EXTENTS");
    const auto read = [&]() -> std::optional<QMargins> {
        const std::vector<std::uint32_t> v = Cardinals(x, id, extents, 4);
        if (v.size() != 4)
            return std::nullopt;
        const qreal ratio = window.devicePixelRatio();  // the property is in device pixels
        return QMargins(qRound(v[0] / ratio), qRound(v[2] / ratio), qRound(v[1] / ratio),
                        qRound(v[3] / ratio));
    };
    std::optional<QMargins> margins = read();
    if (margins || wait.count() <= 0)
        return margins;

    // Ask, where the window manager says it answers such requests (EWMH).
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t request = Atom(x, "_NET_REQUEST_FRAME_EXTENTS");
    const std::vector<std::uint32_t> supported =
        Cardinals(x, root, Atom(x, "_NET_SUPPORTED"), 1024);
    if (std::find(supported.begin(), supported.end(), request) == supported.end())
        return std::nullopt;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(x, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(x);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!(margins = read()) && std::chrono::steady_clock::now() < deadline)
        QThread::msleep(2);
    return margins;
}
#else
std::optional<QMargins> FrameExtents(const QWindow&, std::chrono::milliseconds) {
    return std::nullopt;
}
#endif

}  // namespace tallyvane
