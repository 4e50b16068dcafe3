#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>

namespace tallyvane {

// The window's sans face (design::kFontFamily) at a size in points.
QFont DesignFont(double points, bool bold = false);

// A design colour, written 0x00BBGGRR.
QColor DesignColor(std::uint32_t bgr);

}  // namespace tallyvane
