#include "app/application.h"

#include <QApplication>

#include "app/design_style.h"
#include "calc/design.h"

namespace tallyvane {

void ConfigureApplication() {
    QApplication::setApplicationName(QStringLiteral("Tallyvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tallyvane.Tallyvane"));
    QFont::insertSubstitution(QString::fromLatin1(design::kFontFamily),
                              QString::fromLatin1(design::kFontStandIn));
    // The window's own face as everybody's default, so that no other face is loaded at start
    // (and the warning boxes match the window).
    QApplication::setFont(DesignFont(design::kFontPoints));
}

}  // namespace tallyvane
