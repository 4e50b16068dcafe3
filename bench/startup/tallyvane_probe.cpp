// Starts exactly as the program does, and quits at the first painted frame.
#include <QApplication>

#include "app/application.h"
#include "app/main_window.h"
#include "app/message_box_warnings.h"
#include "bench/startup/first_frame.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tallyvane::ConfigureApplication();
    tallyvane::MessageBoxWarnings warnings;
    tallyvane::MainWindow window(warnings);
    QuitAfterFirstFrame quit(&window);
    window.show();
    return QApplication::exec();
}
