#pragma once

#include <QFont>

namespace tallyvane {

// The window's sans face (design::kFontFamily) at a size in points.
QFont DesignFont(double points, bool bold = false);

}  // namespace tallyvane
