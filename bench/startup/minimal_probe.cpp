// The yardstick: the smallest Qt Widgets window of the same size, quitting at its first frame.
#include <QApplication>
#include <QWidget>

#include "bench/startup/first_frame.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 120);
    QuitAfterFirstFrame quit(&window);
    window.show();
    return QApplication::exec();
}
