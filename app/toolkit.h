#pragma once

#include <QColor>
#include <cstdint>

class QWidget;

// The few window operations the program needs, in twips (1/1440 inch) on top of Qt's
// device-independent pixels, so that the layout scales with the screen.
namespace tallyvane::toolkit {

inline constexpr int kTwipsPerPixel = 15;

// Pointer settings: the default pointer, the arrow with a question mark, a custom pointer
// (without an image of its own, it shows as the ordinary arrow).
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerArrowQuestion = 14;
inline constexpr int kPointerCustom = 99;

// The pointer setting last given to a widget, kept as this dynamic property.
inline constexpr char kMousePointerProperty[] = "mousePointer";

int PixelsFromTwips(double twips);

// Colours written 0x00BBGGRR.
QColor ColorFromBgr(std::uint32_t bgr);

// The whole screen the window is on.
float ScreenWidth(const QWidget& window);
float ScreenHeight(const QWidget& window);

// The window's outer size and position: the frame the window system draws, title bar
// included, or the client area where it draws none.
float WindowWidth(const QWidget& window);
float WindowHeight(const QWidget& window);
// Resizing keeps the outer top-left corner where it is.
void SetWindowWidth(QWidget& window, float twips);
void SetWindowHeight(QWidget& window, float twips);
// Positions land on the nearest pixel; nothing pulls the window back onto the screen.
void SetWindowLeft(QWidget& window, float twips);
void SetWindowTop(QWidget& window, float twips);

// Sets the widget's pointer setting and the cursor shape that shows it.
void SetMousePointer(QWidget& widget, int pointer);

}  // namespace tallyvane::toolkit
