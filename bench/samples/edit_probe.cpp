// Editing a large table in the samples window, on the offscreen platform, each step until the
// window is painted again: one count typed into a cell, then ten such edits for the memory their
// undo steps keep, then half the rows deleted at once. Milliseconds and KiB.
//   edit_probe MODULE ROWS.csv
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QTableView>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/samples_opener.h"

namespace {

// The resident memory, in KiB.
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (argc != 3 || !file.open(QIODevice::ReadOnly) ||
        !tallyvane::OpenSamples(QString::fromLocal8Bit(argv[1]), {}, file.readAll())) {
        std::fputs("usage: edit_probe MODULE ROWS.csv\n", stderr);
        return 2;
    }
    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        window = w->objectName() == QLatin1String("samplesWindow") ? w : window;
    }
    auto* table = window->findChild<QTableView*>(QStringLiteral("samplesTable"));
    QAbstractItemModel* model = table->model();
    const int rows = model->rowCount() - 1;
    QCoreApplication::processEvents();
    window->grab();
    const auto timed = [&](const auto& change) {
        QElapsedTimer clock;
        clock.start();
        change();
        QCoreApplication::processEvents();
        window->grab();
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    };
    const double edit =
        timed([&] { model->setData(model->index(rows / 2, 1), QStringLiteral("3")); });
    const long before = ResidentKiB();
    for (int i = 0; i < 10; ++i) {
        timed([&] { model->setData(model->index(i, 1), QString::number(i % 5)); });
    }
    const long tenEdits = ResidentKiB() - before;
    table->selectionModel()->select(
        QItemSelection(model->index(0, 0), model->index(rows / 2 - 1, 0)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QAction* remove = nullptr;
    for (QAction* action : window->findChildren<QAction*>()) {
        remove = action->text() == QLatin1String("&Delete Rows") ? action : remove;
    }
    const double deleted = timed([&] { remove->trigger(); });
    std::printf(
        "%d rows: an edit %.1f ms, ten edits' undo steps %ld KiB, half the rows deleted %.1f ms "
        "(%d left)\n",
        rows, edit, tenEdits, deleted, model->rowCount() - 1);
    return 0;
}
