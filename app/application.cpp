#include "app/application.h"

#include <QApplication>
#include <QFont>

#include "app/design.h"

namespace tallyvane {

void ConfigureApplication() {
    QApplication::setApplicationName(QStringLiteral("Tallyvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tallyvane.Tallyvane"));
    // The window's own face as everybody's default, so that no other face is loaded at start
    // (and the warning boxes match the window).
    QFont font(QString::fromLatin1(design::kFontFamily.data(),
                                   static_cast<qsizetype>(design::kFontFamily.size())));
    font.setPointSizeF(design::kFontPoints);
    QApplication::setFont(font);
}

}  // namespace tallyvane
