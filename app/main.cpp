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
    // `tallyvane FILE`, as a file manager's "Open with" starts it, opens the file in a samples
    // window; `tallyvane --samples`, the desktop entry's action, an empty one.
    if (const QStringList args = QApplication::arguments().mid(1); !args.isEmpty()) {
        window.openSamples(args.front() == QLatin1String("--samples") ? QString() : args.front());
    }
    return QApplication::exec();
}
