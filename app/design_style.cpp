#include "app/design_style.h"

#include "app/design.h"

namespace tallyvane {

QFont DesignFont(double points, bool bold) {
    QFont font(QString::fromLatin1(design::kFontFamily));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QColor DesignColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace tallyvane
