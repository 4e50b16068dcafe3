// Prints for real through a private CUPS queue whose device writes a PDF file, and reads the
// page back with poppler's tools.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "calc/warning_texts.h"
#include "tests/app/window_test.h"

namespace {

QString Run(const QString& command) {
    QProcess process;
    process.startCommand(command);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The one page's rows rebuilt character for character from the word boxes, each word on the
// grid of Liberation Mono at 12 pt (7.2 pt advance, 13.59 pt line spacing) from (100, 100) of
// 850 x 1000 over the printable area of A4 in the queue's PPD, 559 x 770 pt at (18, 36). (The
// PPD's default is Letter, but QPrinter keeps its own A4 wherever the printer offers A4.)
QStringList Page(const QString& pdf) {
    if (!Run("pdfinfo " + pdf).contains(QRegularExpression(R"(Pages:\s+1\n)")) ||
        !Run("pdffonts " + pdf).contains(QRegularExpression(R"(LiberationMono\s.*\byes\b)")))
        return {"not one page in Liberation Mono"};
    const QPointF origin(18 + 559 * 100 / 850.0, 36 + 770 * 100 / 1000.0);
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

}  // namespace

void WindowTest::print_data() {
    QTest::addColumn<QStringList>("boxes");  // the counts calculated, then texts put in boxes
    QTest::addColumn<QString>("setUp");      // commands, or TMPDIR for an engine that cannot spool
    QTest::addColumn<QString>("tearDown");
    QTest::addColumn<QString>("printed");  // the six values, or the warning
    const QString worked = "7.00|1500.00|4666.67|0.47%|99.53%|4.10";
    const auto fails = QString::fromUtf8(tallyvane::warning::kReportNotPrinted);
    // clang-format off
    QTest::newRow("worked example")     << QStringList{"7", "1500"} << "" << "" << worked;
    QTest::newRow("before calculating") << QStringList{"", "", "1.2.3"} << "" << "" << "1.2.3|||||";
    QTest::newRow("edited afterwards")  << QStringList{"0", "1500", "5", "", "0.125"} << "" << "" << "5.00|1500.00|0.13|0.00%|100.00%|\u2265 4.38";
    // A queue made the default and then deleted leaves the server without a default.
    QTest::newRow("no default printer") << QStringList{"7", "1500"} << "lpadmin -p gone -E -v file:///dev/null;lpadmin -d gone;lpadmin -x gone" << "lpadmin -d tallyvane-pdf" << QString::fromUtf8(tallyvane::warning::kNoDefaultPrinter);
    QTest::newRow("cannot start")       << QStringList{"7", "1500"} << "TMPDIR" << "" << fails;
    QTest::newRow("rejecting jobs")     << QStringList{"7", "1500"} << "cupsreject tallyvane-pdf" << "cupsaccept tallyvane-pdf" << fails;
    QTest::newRow("stopped")            << QStringList{"7", "1500"} << "cupsdisable tallyvane-pdf" << "cupsenable tallyvane-pdf" << fails;
    // clang-format on
}

// Six labelled lines with one empty row between them and two before the last, or a warning
// and no job at all; the window's texts stay as they were either way.
void WindowTest::print() {
    QFETCH(QStringList, boxes);
    QFETCH(QString, setUp);
    QFETCH(QString, tearDown);
    QFETCH(QString, printed);
    tallyvane::testing::Window w;
    w.calculate(boxes.value(0), boxes.value(1));
    w.warnings.texts.clear();
    for (int i = 2; i < boxes.size(); ++i) {
        if (!boxes[i].isEmpty())
            w.box(QStringList{"txttotaldefects", "txttotalopportunities", "txtDPMO"}[i - 2])
                ->setText(boxes[i]);
    }
    const QStringList texts = w.results() << w.box("txttotaldefects")->text();
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
    QCOMPARE(w.results() << w.box("txttotaldefects")->text(), texts);
    if (!printed.contains('|')) {
        QCOMPARE(w.warnings.texts, QStringList{printed});
        QCOMPARE(Run("lpstat -W all -o"), jobs);
        return;
    }
    QCOMPARE(w.warnings.texts, QStringList());
    QVERIFY(
        QTest::qWaitFor([&] { return Run("lpstat -o").isEmpty() && QFile::exists(pdf); }, 60000));
    QStringList expected;
    for (const auto& [i, label] : {std::pair(0, "Total number of defects observed       :"),
                                   {1, "Total opportunities observed           :"},
                                   {2, "Defects per Million Opportunities(DPMO):"},
                                   {3, "Defects(%):"},
                                   {4, "Yields(%) :"},
                                   {5, "Process Sigma Level  :"}})
        expected << label + printed.section('|', i, i) << QStringList(i == 4 ? 2 : i < 4, "");
    QCOMPARE(Page(pdf), expected);
}
