#include "app/samples/samples_entry.h"

#include <QString>

#include "app/samples/samples_window.h"

int tallyvane_open_samples(const char* path, const char* text, std::size_t size) {
    try {
        auto* window = new tallyvane::SamplesWindow;
        window->show();
        if (path) {
            window->openFile(QString::fromUtf8(path));
        } else if (text) {
            window->openText(QByteArray(text, static_cast<qsizetype>(size)));
        }
        window->activateWindow();
    } catch (...) {  // nothing may cross into the program
    }
    return 0;
}
