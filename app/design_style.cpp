#include "app/design_style.h"

#include "calc/design.h"

namespace tallyvane {

QFont DesignFont(double points, bool bold) {
    // Windows has the designed face (ConfigureApplication names the stand-in for a system
    // without it). Elsewhere the stand-in is asked for by name: a missing family would send the
    // first lookups through fontconfig's fallbacks, some 4 million instructions at every start.
#ifdef Q_OS_WIN
    QFont font(QString::fromLatin1(design::kFontFamily));
#else
    QFont font(QString::fromLatin1(design::kFontStandIn));
#endif
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QColor DesignColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace tallyvane
