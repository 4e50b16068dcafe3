#pragma once

#include <QMargins>
#include <chrono>
#include <optional>

class QWindow;

namespace tallyvane {

// The frame the window manager draws around the window, as it reports it now, straight from
// the window system rather than from a copy taken before the frame existed. Where the frame
// is not known yet, asks the window manager for it before the window first shows and waits up
// to `wait` for the answer. Empty where the platform offers no such report (Wayland, Windows,
// macOS, offscreen, a window manager without it): Qt's own frame margins serve there.
std::optional<QMargins> FrameExtents(const QWindow& window, std::chrono::milliseconds wait);

}  // namespace tallyvane
