#include "app/design_font.h"

#include "app/design.h"

namespace tallyvane {

QFont DesignFont(double points, bool bold) {
    QFont font(QString::fromLatin1(design::kFontFamily.data(),
                                   static_cast<qsizetype>(design::kFontFamily.size())));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace tallyvane
