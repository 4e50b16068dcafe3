#include "app/toolkit.h"

#include <QCursor>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace tallyvane::toolkit {
namespace {

QSize FrameExtra(const QWidget& window) {
    return window.frameGeometry().size() - window.geometry().size();
}

QScreen* ScreenOf(const QWidget& window) {
    return window.screen();
}

}  // namespace

int PixelsFromTwips(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QColor ColorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

float ScreenWidth(const QWidget& window) {
    return static_cast<float>(ScreenOf(window)->geometry().width() * kTwipsPerPixel);
}

float ScreenHeight(const QWidget& window) {
    return static_cast<float>(ScreenOf(window)->geometry().height() * kTwipsPerPixel);
}

float WindowWidth(const QWidget& window) {
    return static_cast<float>(window.frameGeometry().width() * kTwipsPerPixel);
}

float WindowHeight(const QWidget& window) {
    return static_cast<float>(window.frameGeometry().height() * kTwipsPerPixel);
}

void SetWindowWidth(QWidget& window, float twips) {
    window.resize(PixelsFromTwips(twips) - FrameExtra(window).width(), window.height());
}

void SetWindowHeight(QWidget& window, float twips) {
    window.resize(window.width(), PixelsFromTwips(twips) - FrameExtra(window).height());
}

void SetWindowLeft(QWidget& window, float twips) {
    window.move(PixelsFromTwips(twips), window.frameGeometry().y());
}

void SetWindowTop(QWidget& window, float twips) {
    window.move(window.frameGeometry().x(), PixelsFromTwips(twips));
}

void SetMousePointer(QWidget& widget, int pointer) {
    widget.setProperty(kMousePointerProperty, pointer);
    switch (pointer) {
        case kPointerDefault:
            widget.unsetCursor();
            break;
        case kPointerArrowQuestion:
            widget.setCursor(Qt::WhatsThisCursor);
            break;
        default:
            widget.setCursor(Qt::ArrowCursor);
            break;
    }
}

}  // namespace tallyvane::toolkit
