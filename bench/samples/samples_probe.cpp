// From rows pasted into the main window's box to the samples window on screen with its table,
// pooled row and chart painted, on the offscreen platform; the median of RUNS, in milliseconds.
//   samples_probe MODULE ROWS.csv RUNS
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/samples_opener.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (argc != 4 || !file.open(QIODevice::ReadOnly)) {
        std::fputs("usage: samples_probe MODULE ROWS.csv RUNS\n", stderr);
        return 2;
    }
    const QByteArray rows = file.readAll();
    std::vector<double> times;
    for (int run = 0; run < std::atoi(argv[3]); ++run) {
        QElapsedTimer clock;
        clock.start();
        if (!tallyvane::OpenSamples(QString::fromLocal8Bit(argv[1]), {}, rows)) {
            return 1;
        }
        QWidget* window = QApplication::activeWindow();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            window = w->objectName() == QLatin1String("samplesWindow") ? w : window;
        }
        QCoreApplication::processEvents();
        window->grab();  // every part painted once, as the screen would show it
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        delete window;
    }
    std::sort(times.begin(), times.end());
    std::printf("%.1f\n", times[times.size() / 2]);
    return 0;
}
