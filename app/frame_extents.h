#pragma once

#include <QMargins>
#include <chrono>
#include <memory>
#include <optional>

class QWindow;

namespace tallyvane {

// The frame the window manager draws around the window, as it reports it now, straight from
// the window system rather than from a copy taken before the frame existed. Empty where the frame
// is not known, or where the platform offers no such report (Wayland, Windows, macOS, offscreen,
// a window manager without it): Qt's own frame margins serve there.
std::optional<QMargins> FrameExtents(const QWindow& window);

// Asks the window manager, before the window first shows, for the frame it will draw: sent at
// once, answered while the window goes on building itself. The window must have its native
// window already.
class FrameRequest {
public:
    explicit FrameRequest(const QWindow& window);
    ~FrameRequest();
    FrameRequest(const FrameRequest&) = delete;
    FrameRequest& operator=(const FrameRequest&) = delete;

    // The frame, waiting up to `wait` for the answer; empty where none comes (see FrameExtents).
    std::optional<QMargins> answer(std::chrono::milliseconds wait);

private:
    struct Pending;
    std::unique_ptr<Pending> m_pending;
};

}  // namespace tallyvane
