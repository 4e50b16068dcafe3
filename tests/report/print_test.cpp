// Prints for real through a private CUPS queue whose device writes a PDF file, and reads the
// page back with poppler's tools.
#include <QClipboard>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "app/samples_opener.h"
#include "calc/warning_texts.h"
#include "report/page_printer.h"
#include "report/print_failure.h"
#include "tests/app/window_test.h"

namespace {

QString Run(const QString& command) {
    QProcess process;
    process.startCommand(command);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// One page of the paper, Letter (612 x 792 pt) or A4 (595 x 842 pt).
bool OnePageOf(const QString& pdf, const QString& paper) {
    const QString size = paper == "Letter" ? "612 x 792" : "595 x 842";
    return Run("pdfinfo " + pdf)
        .contains(QRegularExpression(R"(Pages:\s+1\n(.*\n)*Page size:\s+)" + size + " pts"));
}

// The one page's rows rebuilt character for character from the word boxes, each word on the
// grid of Liberation Mono at 12 pt (7.2 pt advance, 13.59 pt line spacing) from (100, 100) of
// 850 x 1000 over the printable area of the paper in the queue's PPD: on Letter 576 x 720 pt at
// (18, 36), on A4 559 x 770 pt at (18, 36).
QStringList Page(const QString& pdf, const QString& paper) {
    const QSizeF area = paper == "Letter" ? QSizeF(576, 720) : QSizeF(559, 770);
    if (!OnePageOf(pdf, paper) ||
        !Run("pdffonts " + pdf).contains(QRegularExpression(R"(LiberationMono\s.*\byes\b)")))
        return {"not one page of " + paper + " in Liberation Mono"};
    const QPointF origin(18 + area.width() * 100 / 850, 36 + area.height() * 100 / 1000);
    const QSizeF cell(7.2, 13.59375);
    static const QRegularExpression word(R"re(xMin="([\d.]+)" yMin="([\d.]+)".*>([^<]*)</word>)re");
    QStringList rows;
    for (const auto& m : word.globalMatch(Run("pdftotext -bbox " + pdf + " -"))) {
        const double column = (m.captured(1).toDouble() - origin.x()) / cell.width();
        const double row = (m.captured(2).toDouble() - origin.y()) / cell.height();
        if (qAbs(column - qRound(column)) > 0.05 || qAbs(row - qRound(row)) > 0.05)
            return {"off the grid: " + m.captured(3)};
        rows.resize(std::max<qsizetype>(rows.size(), qRound(row) + 1));
        rows[qRound(row)] = rows[qRound(row)].leftJustified(qRound(column)) + m.captured(3);
    }
    return rows;
}

// Whether the file is whole, once the job has left the queue (its filters and backend may write
// the file more than once on a busy machine) and once Wine's spooler, which may still be writing
// after the queue empties, has finished it.
bool Printed(QFile& file) {
    return QTest::qWaitFor(
        [&] {
            file.close();
            return Run("lpstat -o").isEmpty() && file.open(QIODevice::ReadOnly) &&
                   file.readAll().contains("%%EOF");
        },
        60000);
}

}  // namespace

// A module that cannot be loaded is a fault of the installation, and says so; the loader's
// reason goes to the log. The samples window's module is loaded the same way.
void WindowTest::modulesMissing() {
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^Cannot load the printer module: .*nowhere"));
    QString shown;
    try {
        tallyvane::PrintPage(SOURCE_DIR "/nowhere/tallyvane_printer", {"row"}, "report");
    } catch (const tallyvane::PrintFailure& e) {
        shown = QString::fromUtf8(e.what());
    }
    QCOMPARE(shown, QString::fromUtf8(tallyvane::warning::kPrintingNotInstalled));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^Cannot load the samples module: .*nowhere"));
    QVERIFY(!tallyvane::OpenSamples(SOURCE_DIR "/nowhere/tallyvane_samples_window", {}, {}));
}

void WindowTest::print_data() {
    QTest::addColumn<QStringList>("boxes");  // the counts calculated, and the sigma level printed
    QTest::addColumn<QString>("setUp");      // commands, or TMPDIR for an engine that cannot spool
    QTest::addColumn<QString>("tearDown");
    QTest::addColumn<QString>("printed");  // the paper of the page, or the warning
    const auto fails = QString::fromUtf8(tallyvane::warning::kReportNotPrinted);
    const QString a4 = "lpadmin -p tallyvane-pdf -o PageSize=";
    // clang-format off
    QTest::newRow("worked example")     << QStringList{"7", "1500", "4.10"} << "" << "" << "Letter";
    QTest::newRow("on A4")              << QStringList{"7", "1500", "4.10"} << a4 + "A4" << a4 + "Letter" << "A4";
    QTest::newRow("zero defects")       << QStringList{"0", "1500", "\u2265 4.38"} << "" << "" << "Letter";
    // A queue made the default and then deleted leaves the server without a default.
    QTest::newRow("no default printer") << QStringList{"7", "1500"} << "lpadmin -p gone -E -v file:///dev/null;lpadmin -d gone;lpadmin -x gone" << "lpadmin -d tallyvane-pdf" << QString::fromUtf8(tallyvane::warning::kNoDefaultPrinter);
    QTest::newRow("cannot start")       << QStringList{"7", "1500"} << "TMPDIR" << "" << fails;
    QTest::newRow("rejecting jobs")     << QStringList{"7", "1500"} << "cupsreject tallyvane-pdf" << "cupsaccept tallyvane-pdf" << fails;
    QTest::newRow("stopped")            << QStringList{"7", "1500"} << "cupsdisable tallyvane-pdf" << "cupsenable tallyvane-pdf" << fails;
    // clang-format on
}

// The report's rows of the six boxes as they are when the button is pressed, on one page of the
// queue's own paper, or a warning and no job at all.
void WindowTest::print() {
    QFETCH(QStringList, boxes);
    QFETCH(QString, setUp);
    QFETCH(QString, tearDown);
    QFETCH(QString, printed);
    tallyvane::testing::Window w;
    w.calculate(boxes.value(0), boxes.value(1));
    w.warnings.texts.clear();
#ifdef Q_OS_WIN
    if (setUp == "TMPDIR")
        QSKIP("Qt's Windows print engine spools through the system's spooler, not TMPDIR");
    if (!setUp.isEmpty() && tallyvane::testing::UnderWine())
        QSKIP(
            "Wine copies the CUPS queues once, when a program starts, and reports each as ready "
            "whatever CUPS says; Windows's spooler reports a paused or offline printer");
#endif
    const QByteArray tmpdir = qgetenv("TMPDIR");
    if (setUp == "TMPDIR")
        qputenv("TMPDIR", "/nonexistent");  // where the print engine spools
    for (const QString& command : setUp.split(';', Qt::SkipEmptyParts))
        Run(command);
    const QString jobs = Run("lpstat -W all -o"), pdf = m_cups + "/out/report.pdf";
    QFile::remove(pdf);
    w.click("cmdPrint");
    qputenv("TMPDIR", tmpdir);
    for (const QString& command : tearDown.split(';', Qt::SkipEmptyParts))
        Run(command);
    if (printed != "Letter" && printed != "A4") {
        QCOMPARE(w.warnings.texts, QStringList{printed});
        QCOMPARE(Run("lpstat -W all -o"), jobs);
        return;
    }
    QCOMPARE(w.warnings.texts, QStringList());
    QFile file(pdf);
    QVERIFY(Printed(file));
    if (tallyvane::testing::UnderWine()) {  // where poppler's tools cannot be run
        file.seek(0);
        const QByteArray page = file.readAll();
        QVERIFY(page.contains("/Count 1 ") &&
                page.contains(printed == "Letter" ? "/MediaBox [ 0 0 612 792 ]"
                                                  : "/MediaBox [ 0 0 595 842 ]"));
        QSKIP("Wine's PostScript driver prints the page as one image: no words to read back");
    }
    const bool worked = boxes[0] == "7";
    const QString expected =
        "Total number of defects observed       :" + boxes[0] + ".00\n\n" +
        "Total opportunities observed           :1500.00\n\n" +
        "Defects per Million Opportunities(DPMO):" + (worked ? "4666.67" : "0.00") + "\n\n" +
        "Defects(%):" + (worked ? "0.47%" : "0.00%") +
        "\n\nYields(%) :" + (worked ? "99.53%" : "100.00%") +
        "\n\n\nProcess Sigma Level  :" + boxes[2];
    QCOMPARE(Page(pdf, printed).join("\n"), expected);
}

// A table of samples prints its rows and the pooled row in fixed pitch, and its chart as
// vectors: words to read back, lines with their widths and dashes, and no image.
void WindowTest::printSamples() {
    if (tallyvane::testing::UnderWine())
        QSKIP(
            "Wine's PostScript driver crashes (get_glyf_pos) downloading the chart's sans-serif "
            "face as a Type 42 font; Windows prints through the printer's own driver");
    tallyvane::testing::Window w;
    const QString pdf = m_cups + "/out/report.pdf";
    QFile::remove(pdf);
    w.window.openSamples(SOURCE_DIR "/tests/samples/golden.csv");
    tallyvane::testing::Samples s;
    QVERIFY(s.window);
    s.key(Qt::Key_P, Qt::ControlModifier);
    QFile file(pdf);
    QVERIFY(Printed(file));
    QCOMPARE(w.warnings.texts, QStringList());
    QVERIFY(
        Run("pdftotext -layout " + pdf + " -")
            .contains(QRegularExpression(
                R"(Größe +10 +50 +200000 +20.00%[\s\S]*\n *Pooled +137 +600 +228333.333333333 +22.83% +77.17% +2.24\n[\s\S]*P chart of the defect proportion, 12 samples)")));
    QCOMPARE(Run("pdfimages -list " + pdf).count('\n'), 2);  // the heading alone
    // The proportions' line keeps its width and the limits their dashes, in the chart's units.
    const QString strokes = Run("pdftocairo -svg " + pdf + " -");
    QVERIFY(strokes.contains(QRegularExpression(R"(stroke-width:1.5;[^"]*stroke:rgb\(0%,0%,50)")));
    QVERIFY(strokes.contains(QRegularExpression(R"(stroke:rgb\(75[^"]*stroke-dasharray:6,3;)")));
    // The chart spans the rows' width, centred on the queue's Letter paper (612 pt) like them:
    // so does its title.
    const auto title =
        QRegularExpression(
            R"re(xMin="([\d.]+)"[^>]*>P</word>\s*<word[^>]*>chart</word>[\s\S]*?xMax="([\d.]+)"[^>]*>samples<)re")
            .match(Run("pdftotext -bbox " + pdf + " -"));
    QVERIFY(std::abs(title.captured(1).toDouble() + title.captured(2).toDouble() - 612) < 4);
    // A long table runs on over as many pages as its rows need, every row printed whole.
    QString rows;
    for (int i = 1; i <= 150; ++i)
        rows += QString("Lot %1,%2,1000\n").arg(i).arg(i % 7);
    QApplication::clipboard()->setText(rows);
    QTest::keyClick(w.box("txttotaldefects"), Qt::Key_V, Qt::ControlModifier);
    tallyvane::testing::Samples many;
    QFile::remove(pdf);
    many.key(Qt::Key_P, Qt::ControlModifier);
    QVERIFY(Printed(file));
    QCOMPARE(Run("pdftotext " + pdf + " -").count(QRegularExpression(R"(\bLot \d+\b)")), 150);
}
