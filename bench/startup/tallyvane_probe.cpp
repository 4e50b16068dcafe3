// Starts exactly as the program does, and quits at the first painted frame.
#include <QApplication>

#include "app/application.h"
#include "app/frm_tallyvane.h"
#include "bench/startup/first_frame.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tallyvane::ConfigureApplication();
    tallyvane::FrmTallyvane window;
    QuitAfterFirstFrame quit(&window);
    window.show();
    return QApplication::exec();
}
