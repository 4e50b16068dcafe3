// A second yardstick: the minimal window with one line of text in the program's face, to
// tell what any window that shows text pays (font database, one font) from our own costs.
#include <QApplication>
#include <QLabel>

#include "bench/startup/first_frame.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    QLabel window(QStringLiteral("Total Defects"));
    window.resize(400, 120);
    QuitAfterFirstFrame quit(&window);
    window.show();
    return QApplication::exec();
}
