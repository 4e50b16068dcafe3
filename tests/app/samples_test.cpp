#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <list>

#include "tests/app/window_test.h"
#include "tests/samples/textbook.h"

using tallyvane::testing::Golden;
using tallyvane::testing::Samples;
using tallyvane::testing::ShownSamplesWindows;
using tallyvane::testing::Window;

namespace {

// The golden table's pooled row as the window says it.
QString GoldenPooled() {
    const QList<QByteArray> f = Golden().trimmed().split('\n').back().split(',');
    return QString(
               "Pooled: %1 defects in %2 opportunities. DPMO %3, defects %4, yield %5, process "
               "sigma level %6")
        .arg(f[1], f[2], f[3], f[4], f[5], f[6]);
}

// The smallest rectangle that holds every pixel of the image that `in` takes.
QRect Bounds(const QImage& image, const std::function<bool(QColor)>& in) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            bounds |= in(image.pixelColor(x, y)) ? QRect(x, y, 1, 1) : QRect();
    return bounds;
}

void Trigger(QWidget* widget, const QString& action) {
    for (QAction* a : widget->findChildren<QAction*>())
        if (a->text() == action)
            a->trigger();
}

}  // namespace

// Three columns from a spreadsheet pasted into the main window's box open as samples; a
// count typed wrong marks its row and the figures wait; undo and redo take every edit.
void WindowTest::samplesPasteEditUndo() {
    Window w;
    QApplication::clipboard()->setText(Golden());
    QTest::keyClick(w.box("txttotaldefects"), Qt::Key_V, Qt::ControlModifier);
    Samples s;
    QVERIFY(s.window);
    QCOMPARE(w.box("txttotaldefects")->text(), "");
    QCOMPARE(std::tuple(s.model()->rowCount(), s.cell(2, 0), s.pooled(), s.charted()),
             std::tuple(13, "Line 3, north", GoldenPooled(), true));
    const auto header = [&](int section) { return s.model()->headerData(section, Qt::Vertical); };
    QCOMPARE(std::tuple(s.cell(11, 9), s.model()->headerData(9, Qt::Horizontal), header(11),
                        header(12), s.errors()->isHidden()),
             std::tuple("yes", QVariant("Beyond the limits"), QVariant(12), QVariant("*"), true));
    QVERIFY(s.cell(0, 3, Qt::ToolTipRole).startsWith("95% confidence interval: "));
    int resets = 0;  // an edit tells the view what changed, and it keeps its place
    QObject::connect(s.model(), &QAbstractItemModel::modelReset, [&resets] { ++resets; });
    s.table()->setCurrentIndex(s.model()->index(5, 1));
    s.table()->setFocus();
    s.type("7.5x");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(s.cell(5, 1), "7.5");
    const QString reason = "Row 6: defects \"7.5\" is not a whole number in digits";
    QCOMPARE(std::tuple(s.cell(5, 0, Qt::ToolTipRole), s.cell(5, 3), s.pooled(), s.charted(),
                        s.table()->currentIndex(), s.errors()->text()),
             std::tuple(reason, "", "", false, s.model()->index(6, 1), reason));
    QVERIFY(s.model()->index(5, 0).data(Qt::BackgroundRole).isValid());
    s.type("9");  // Enter moved down, and typing goes into that cell
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(std::tuple(s.cell(6, 1), s.table()->currentIndex().row()), std::tuple("9", 7));
    s.key(Qt::Key_Z, Qt::ControlModifier);
    s.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(std::tuple(s.cell(5, 1), s.cell(6, 1), s.pooled(), s.charted(), resets),
             std::tuple("7", "16", GoldenPooled(), true, 0));
    s.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(s.cell(5, 1), "7.5");
    s.key(Qt::Key_Z, Qt::ControlModifier);
    // A column pasted into the Defects column changes that column alone; nothing to paste is
    // no step at all.
    QApplication::clipboard()->setText("3\n4\n");
    s.table()->setCurrentIndex(s.model()->index(0, 1));
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(std::tuple(s.cell(0, 1), s.cell(1, 1), s.cell(0, 2), s.cell(1, 0)),
             std::tuple("3", "4", "50", "Mon 2"));
    s.key(Qt::Key_Z, Qt::ControlModifier);
    QApplication::clipboard()->setText("");
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(std::tuple(s.window->isWindowModified(), s.cell(0, 1)), std::tuple(false, "12"));
    // A cell's note is its accessible description, as on the main window's boxes.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(s.table());
    QCOMPARE(table->tableInterface()->cellAt(0, 3)->text(QAccessible::Description),
             s.cell(0, 3, Qt::ToolTipRole));
    // Counts pasted from a spreadsheet at the last row keep its label and add the row they
    // need; selected rows go; Copy gives the table with its figures for a spreadsheet.
    QApplication::clipboard()->setText("1\t10\n2\t20\n");
    s.table()->setCurrentIndex(s.model()->index(11, 1));
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(std::tuple(s.model()->rowCount(), s.cell(11, 0), s.cell(11, 1), s.cell(12, 2)),
             std::tuple(14, "Thu 2", "1", "20"));
    s.table()->clearSelection();  // the keys above leave Ctrl held: a click would add to it
    s.table()->selectRow(0);
    s.key(Qt::Key_Delete);
    s.key(Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    QCOMPARE(
        std::tuple(s.model()->rowCount(), copied.size(), copied[1].left(25), copied[13].left(14)),
        std::tuple(13, 15, "Mon 2\t15\t50\t300000\t30.00%", "Pooled\t101\t530"));
    s.key(Qt::Key_Z, Qt::ControlModifier);
    s.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(std::tuple(s.model()->rowCount(), s.cell(11, 1), s.pooled()),
             std::tuple(13, "27", GoldenPooled()));
    // The table copied and pasted over itself changes nothing: its header and pooled row stay
    // out; text without tabs is one cell.
    s.key(Qt::Key_C, Qt::ControlModifier);
    s.table()->setCurrentIndex(s.model()->index(0, 0));
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(std::tuple(s.model()->rowCount(), s.cell(0, 0), s.pooled()),
             std::tuple(13, "Mon 1", GoldenPooled()));
    QApplication::clipboard()->setText("1,500");
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(std::tuple(s.cell(0, 0), s.cell(0, 1)), std::tuple("1,500", "12"));
    s.key(Qt::Key_Z, Qt::ControlModifier);
    // Words pasted into a table are cells like any other, the first row too.
    QApplication::clipboard()->setText("Night\tLeeds\nDay\tYork\n");
    s.table()->setCurrentIndex(s.model()->index(1, 0));
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(std::tuple(s.cell(1, 0), s.cell(1, 1), s.cell(2, 0), s.cell(2, 1), s.cell(3, 0)),
             std::tuple("Night", "Leeds", "Day", "York", "Größe"));
    s.key(Qt::Key_Z, Qt::ControlModifier);
    // Rows 2 and 4 deleted: the rows that move up are not left selected in their place; the
    // cursor stands where the first was.
    s.table()->clearSelection();
    for (const int row : {1, 3})
        s.table()->selectionModel()->select(
            s.model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    s.key(Qt::Key_Delete);
    QCOMPARE(
        std::tuple(s.model()->rowCount(), s.cell(0, 0), s.cell(1, 0), s.cell(2, 0),
                   s.table()->selectionModel()->selectedIndexes()),
        std::tuple(11, "Mon 1", "Line 3, north", "Tue 1", QModelIndexList{s.model()->index(1, 0)}));
}

// A file dropped on the main window opens as samples, saves byte for byte and reads back.
void WindowTest::samplesDropSaveReopen() {
    Window w;
    QTemporaryDir folder;
    const QString path = folder.filePath("golden.csv");
    QVERIFY(QFile::copy(SOURCE_DIR "/tests/samples/golden.csv", path));
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(&w.window, &enter);
    QApplication::sendEvent(&w.window, &drop);
    Samples s;
    QVERIFY(s.window);
    QVERIFY(QFile::remove(path));
    s.key(Qt::Key_S, Qt::ControlModifier);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly) && saved.readAll() == Golden());  // byte for byte
    w.window.openSamples(path);
    Samples again;
    QVERIFY(again.window);
    QCOMPARE(std::tuple(again.model()->rowCount(), again.pooled()), std::tuple(13, GoldenPooled()));
    // The same text again is no edit, nor is a figure's; labels read from the left, the rest
    // from the right.
    QVERIFY(!again.model()->setData(again.model()->index(0, 1), again.cell(0, 1)) &&
            !again.model()->setData(again.model()->index(0, 3), "1"));
    QCOMPARE(std::tuple(again.cell(0, 0, Qt::TextAlignmentRole), again.window->isWindowModified(),
                        again.model()->index(0, 1).data(Qt::TextAlignmentRole).toInt()),
             std::tuple("", false, int(Qt::AlignRight | Qt::AlignVCenter)));
    // Dropped on a samples window, it opens there too, beside the table that window holds.
    QApplication::sendEvent(again.window, &enter);
    QApplication::sendEvent(again.window, &drop);
    QVERIFY(Samples().window);
}

// From the main window's context menu to the chart's exports, files opened beside a table,
// and a close that asks first and saves, or stays while the save fails.
void WindowTest::samplesMenuExportClose() {
    Window w;
    QTemporaryDir folder;
    const QString svg = folder.filePath("chart.svg"), png = folder.filePath("chart.png"),
                  csv = folder.filePath("saved.csv"), huge = folder.filePath("huge.csv"),
                  golden = QFileInfo(SOURCE_DIR "/tests/samples/golden.csv").absoluteFilePath();
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);  // Qt's own, which a test can answer
    const auto choose = [](const QString& path) {
        return [path](QWidget* dialog) {
            // Typed in whole: a folder still loading may empty the name that selectFile() sets.
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
            static_cast<QDialog*>(dialog)->accept();
        };
    };
    QString said;  // by the last box answered
    const auto press = [&said](QMessageBox::StandardButton button) {
        return [button, &said](QWidget* box) {
            said = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->button(button)->click();
        };
    };
    // Each menu or dialog, as it opens, gets the next reply.
    std::list<std::function<void(QWidget*)>> replies{
        [](QWidget* menu) { Trigger(menu, "Samples…"), menu->close(); },
        choose(svg),
        choose(png),
        choose(golden),
        choose(golden),
        choose(huge),
        press(QMessageBox::Ok),
        press(QMessageBox::Cancel),
        press(QMessageBox::Save),
        [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); },
        press(QMessageBox::Save),
        choose(csv),
        press(QMessageBox::Save),
        press(QMessageBox::Ok),
        press(QMessageBox::Save)};
    QPointer<QWidget> answered;  // null once gone: the next may take its address
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* shown = QApplication::activePopupWidget();
        if (shown = shown ? shown : QApplication::activeModalWidget();
            shown && shown != answered && !replies.empty())
            answered = shown, replies.front()(shown), replies.pop_front();
    });
    poll.start(20);
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, {20, 20},
                           w.window.mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(&w.window, &menu);
    Samples s;
    QVERIFY(s.window);
    QCOMPARE(std::tuple(s.window->windowTitle(), s.errors()->text()),
             std::tuple(
                 "Samples – untitled[*]",
                 "The table holds no samples: each row needs its defects and its opportunities."));
    // A table pasted into the empty window is an edit like any other, undone as one.
    int resets = 0;
    QObject::connect(s.model(), &QAbstractItemModel::modelReset, [&resets] { ++resets; });
    QApplication::clipboard()->setText(Golden());
    s.key(Qt::Key_V, Qt::ControlModifier);
    s.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(std::tuple(s.model()->rowCount(), s.model()->columnCount()), std::tuple(1, 12));
    s.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(std::tuple(s.model()->rowCount(), s.cell(2, 0), s.pooled(), resets),
             std::tuple(13, "Line 3, north", GoldenPooled(), 0));
    Trigger(s.window, "Export Chart as S&VG…");
    Trigger(s.window, "Export Chart as &PNG…");
    QFile saved(svg);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray drawn = saved.readAll();  // the golden table's: one row of 12 beyond
    QCOMPARE(std::tuple(drawn.count("<title>P chart of the defect proportion, 12 samples<"),
                        drawn.count("<circle "), drawn.count("width=\"7\" height=\"7\""),
                        drawn.count(">Thu 2<")),
             std::tuple(1, 11, 1, 1));
    const QImage image(png);
    QCOMPARE(image.size(), QSize(1600, 840));  // twice the chart's 800 x 420 units
    int inked = 0;  // across the middle: the plotted line, the limits, the axis
    for (int x = 0; x < image.width(); ++x)
        inked += image.pixelColor(x, image.height() / 2) != Qt::white;
    QVERIFY(inked > 2 && inked < image.width() / 2);
    // In its view, the chart is centred across whichever side it leaves room on.
    auto* chart = s.window->findChild<QWidget*>("samplesChart");
    for (const QSize size : {QSize(900, 200), QSize(300, 600)}) {
        chart->resize(size);
        const QRect card = Bounds(chart->grab().toImage(), [](QColor c) { return c == Qt::white; });
        QVERIFY(card.size() != size &&
                std::abs(card.left() + card.right() - size.width() + 1) <= 1 &&
                std::abs(card.top() + card.bottom() - size.height() + 1) <= 1);
    }
    // A file opens beside an edited table, and beside a saved one too.
    Trigger(s.window, "&Open…");  // by the menu: the window need not be the active one
    Samples beside;
    QVERIFY(beside.window);
    Trigger(beside.window, "&Open…");
    QVERIFY(Samples().window);
    // A file far past the largest table (here sparse) is refused without being read whole, and
    // the window opened for it goes again.
    QFile sparse(huge);
    QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64{1} << 37));
    const qsizetype before = ShownSamplesWindows().size();
    Trigger(s.window, "&Open…");
    QCOMPARE(
        std::tuple(said, ShownSamplesWindows().size()),
        std::tuple("The file is larger than 64 MiB: split the table into smaller ones.", before));
    s.table()->selectRow(0);
    Trigger(s.window, "&Delete Rows");
    QVERIFY(!s.window->close() && s.window->isVisible());  // cancelled
    QVERIFY(!s.window->close() && s.window->isVisible());  // saved, but no file named
    QVERIFY(s.window->close() && !s.window->isVisible());  // named, saved
    QFile kept(csv);
    QVERIFY(kept.open(QIODevice::ReadOnly) && !kept.peek(1 << 20).contains("Mon 1,") &&
            kept.readAll().count('\n') == 13);
    // A failed save on closing (a folder has taken the file's name) keeps the window and edits.
    w.window.openSamples(csv);
    Samples named;
    named.table()->selectRow(0);
    Trigger(named.window, "&Delete Rows");
    kept.close();
    QVERIFY(QFile::remove(csv) && QDir(folder.path()).mkdir("saved.csv"));
    QVERIFY(!named.window->close() && named.window->isVisible() && said.startsWith("Cannot save "));
    QVERIFY(QDir(folder.path()).rmdir("saved.csv") && named.window->close() && replies.empty());
    QVERIFY(kept.open(QIODevice::ReadOnly) && kept.readAll().count('\n') == 12);  // saved, gone
}

// The awkward files that the command line and the page read too: the same samples, pooled
// figures, refusals and word of the encoding, each reason where the window's own row stands.
void WindowTest::samplesAwkwardFiles() {
    Window w;
    QFile file(SOURCE_DIR "/tests/samples/awkward/expected.json");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(file.readAll()).object();
    const auto words = [](QStringList reasons) {  // without where they stand
        return reasons.replaceInStrings(QRegularExpression("^(line|Row) [0-9]+:? "), {});
    };
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        w.window.openSamples(SOURCE_DIR "/tests/samples/awkward/" + it.key());
        Samples s;
        const QVariantMap want = it.value().toObject().toVariantMap();
        const QStringList pooled = want["pooled"].toStringList();
        const int rows = s.model()->rowCount() - 1;
        QCOMPARE(
            std::tuple(words(s.errors()->text().split('\n', Qt::SkipEmptyParts)), rows, s.pooled()),
            std::tuple(
                words(
                    (want.contains("note") ? QStringList{want["note"].toString()} : QStringList{}) +
                    want["reasons"].toStringList()),
                want.value("samples", rows).toInt(),
                pooled.isEmpty()
                    ? QString()
                    : QString("Pooled: %1 defects in %2 opportunities. DPMO %3, "
                              "defects %4, yield %5, process sigma level %6")
                          .arg(pooled[1], pooled[2], pooled[3], pooled[4], pooled[5], pooled[6])));
    }
}

// A folder, or a file whose reading fails part-way, is refused with the system's reason, and
// nothing is shown as if it were the table.
void WindowTest::samplesUnreadable() {
    Window w;
    QString said;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&said] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            said = box->text(), box->close();
    });
    poll.start(20);
    QTemporaryDir folder;
    w.window.openSamples(folder.path());
    QTRY_COMPARE(said,
                 "Cannot open " + QDir::toNativeSeparators(folder.path()) + ": it is a folder.");
#ifdef Q_OS_LINUX  // reading this file fails at its first byte
    w.window.openSamples("/proc/self/mem");
    QTRY_VERIFY(said.startsWith("Cannot read /proc/self/mem: "));
    QVERIFY(Samples().model()->rowCount() == 1);
#endif
    qDeleteAll(ShownSamplesWindows());  // those opened for nothing
}

// The textbook's workflow: its two samples beyond the limits set aside with a reason from the
// row's menu, the limits revised (sample 21 is then beyond them), a second stage started, the
// tests chosen and kept; each step undone with Ctrl+Z.
void WindowTest::samplesSetAsideAndStages() {
    Window w;
    QString table = "Sample,Defects,Opportunities\n";
    for (std::size_t i = 0; i < kOrangeJuice.size(); ++i)
        table += QString("%1,%2,50\n").arg(i + 1).arg(kOrangeJuice[i]);
    QApplication::clipboard()->setText(table);
    QTest::keyClick(w.box("txttotaldefects"), Qt::Key_V, Qt::ControlModifier);
    Samples s;
    QVERIFY(s.window);
    QStringList answers;  // typed into each question the window asks
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&answers] {
        if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            dialog && !answers.isEmpty())
            dialog->setTextValue(answers.takeFirst()), dialog->accept();
    });
    poll.start(20);
    const auto act = [&](int row, const QString& action) {
        s.table()->setCurrentIndex(s.model()->index(row, 0));
        for (QAction* a : s.table()->actions())
            if (a->text() == action && a->isEnabled())
                a->trigger();
        s.window->activateWindow();  // back from the question, whatever the window manager did
        static_cast<void>(QTest::qWaitForWindowActive(s.window));
    };
    answers << "new batch of cardboard"
            << "new batch of cardboard";
    act(14, "Set aside…");  // a column of its own added
    act(22, "Set aside…");
    const int beyond = 10, verdicts = 11;  // after the reasons' column
    QCOMPARE(std::tuple(s.model()->headerData(3, Qt::Horizontal).toString(), s.cell(22, 3),
                        s.cell(14, beyond), s.cell(14, verdicts), s.cell(20, verdicts),
                        s.cell(20, verdicts, Qt::ToolTipRole)),
             std::tuple("Excluded", "new batch of cardboard", "yes", "", "1",
                        "Test 1: one point beyond the limits."));
    QVERIFY2(s.pooled().startsWith("Pooled, 28 of 30 samples (2 set aside): 301 defects in 1400 "
                                   "opportunities. DPMO 215000,"),
             qPrintable(s.pooled()));
    QVERIFY(s.model()->index(14, 0).data(Qt::FontRole).value<QFont>().italic());
    s.key(Qt::Key_Z, Qt::ControlModifier);
    s.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(
        std::tuple(s.model()->columnCount(), s.cell(14, 10), s.cell(20, 10), s.pooled().left(31)),
        std::tuple(12, "1", "", "Pooled: 347 defects in 1500 opp"));
    s.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(s.cell(14, 3), "new batch of cardboard");
    act(14, "Bring back");
    QCOMPARE(std::tuple(s.cell(14, 3), s.cell(14, verdicts)), std::tuple("", "1"));

    answers << "after";
    act(15, "Start a stage here…");
    const QStringList lines = s.pooled().split('\n');
    QCOMPARE(std::tuple(lines.size(), s.cell(14, 4), s.cell(15, 4), s.cell(29, 4)),
             std::tuple(3, "", "after", "after"));
    QVERIFY2(lines[0].startsWith("Stage 1, 15 samples: ") && lines[1].startsWith("after, 15 "),
             qPrintable(s.pooled()));

    // Test 1 left out: the rows beyond the limits say nothing, in this window and the next.
    for (QAction* a : s.window->findChildren<QAction*>())
        if (a->text().startsWith("&1 "))
            a->trigger();
    QCOMPARE(std::tuple(s.cell(14, verdicts + 1),
                        QSettings("Tallyvane", "Tallyvane").value("samples/tests").toInt()),
             std::tuple("", 0b1110));
    s.key(Qt::Key_Z, Qt::ControlModifier);  // the stage undone: the tests stay as chosen
    QCOMPARE(std::tuple(s.model()->columnCount(), s.cell(14, verdicts)), std::tuple(13, ""));
    QVERIFY(s.window->findChild<QLabel*>("samplesPooled")
                ->toolTip()
                .startsWith("DPMO: 95% confidence interval: "));
    w.window.openSamples(SOURCE_DIR "/tests/samples/golden.csv");
    Samples next;
    QCOMPARE(next.cell(11, 10), "");
    QSettings("Tallyvane", "Tallyvane").remove("samples/tests");

    // The staged table that the command line and the page read too: the same verdicts.
    QFile file(SOURCE_DIR "/tests/samples/staged.json");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QVariantMap want = QJsonDocument::fromJson(file.readAll()).object().toVariantMap();
    w.window.openSamples(SOURCE_DIR "/tests/samples/staged.csv");
    Samples staged;
    QStringList said;
    for (int row = 0; row + 1 < staged.model()->rowCount(); ++row)
        said << (staged.cell(row, 11) + " " + staged.cell(row, 12)).trimmed();
    QCOMPARE(said, want["verdicts"].toStringList());
    const QStringList pooled = staged.pooled().split('\n');
    QCOMPARE(pooled.size(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY2(pooled[i].startsWith(want["pooled"].toStringList()[i]), qPrintable(pooled[i]));
}
