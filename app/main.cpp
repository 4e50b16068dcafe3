#include <QApplication>
#include <cstdio>

#include "app/application.h"
#include "app/main_window.h"
#include "app/message_box_warnings.h"

int main(int argc, char* argv[]) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Without a display Qt would abort with a core dump; say so in one line instead.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs(
            "tallyvane: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are "
            "unset)\n",
            stderr);
        return 1;
    }
#endif
    QApplication app(argc, argv);
    tallyvane::ConfigureApplication();
    tallyvane::MessageBoxWarnings warnings;
    tallyvane::MainWindow window(warnings);
    window.show();
    return QApplication::exec();
}
