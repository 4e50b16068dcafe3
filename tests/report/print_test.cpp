// Prints for real through a private CUPS queue whose device writes a PDF file, then reads the
// page back with poppler's tools.
#include <QFile>
#include <QFontMetricsF>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>

#include "calc/warning_texts.h"
#include "tests/app/window_fixture.h"

using tallyvane::testing::Window;

namespace {

QString Run(const QString& command) {
    QProcess process;
    process.startCommand(command);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void page_data();
    void page();
    void nothingIsSent_data();
    void nothingIsSent();

private:
    QStringList printAndRead(Window& w);

    QString m_pdf;
    QRectF m_area;  // the printable area, points
    double m_advance = 0, m_pitch = 0;
};

void PrintTest::initTestCase() {
    QFile state(qEnvironmentVariable("TALLYVANE_STATE") + "/private-cups.state");
    QVERIFY2(state.open(QIODevice::ReadOnly), "the private print server is not running");
    const QString dir = QString::fromUtf8(state.readAll()).trimmed();
    qputenv("CUPS_SERVER", (dir + "/cups.sock").toUtf8());
    m_pdf = dir + "/out/report.pdf";
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    QCOMPARE(printer.printerName(), QStringLiteral("tallyvane-pdf"));
    m_area = printer.pageLayout().paintRect(QPageLayout::Point);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(12);
    const QFontMetricsF metrics(font, &printer);
    m_advance = metrics.horizontalAdvance('0') * 72.0 / printer.resolution();
    m_pitch = metrics.lineSpacing() * 72.0 / printer.resolution();
}

// Presses Print Result and rebuilds the one page's rows character for character from the word
// boxes of the fixed-pitch font, with every word on the grid that starts at (100, 100) of the
// 850 x 1000 scale.
QStringList PrintTest::printAndRead(Window& w) {
    QFile::remove(m_pdf);
    w.click("cmdPrint");
    if (!QTest::qWaitFor([&] { return Run("lpstat -o").isEmpty() && QFile::exists(m_pdf); }, 60000))
        return {"no page"};
    if (!Run("pdfinfo " + m_pdf).contains(QRegularExpression(R"(Pages:\s+1\n)")) ||
        !Run("pdffonts " + m_pdf).contains(QRegularExpression(R"(LiberationMono\s.*\byes\b)")))
        return {"not one page in Liberation Mono"};
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
    const QPointF origin(m_area.left() + m_area.width() * 100 / 850,
                         m_area.top() + m_area.height() * 100 / 1000);
    QStringList rows;
    for (const auto& m : word.globalMatch(Run("pdftotext -bbox " + m_pdf + " -"))) {
        const double column = (m.captured(1).toDouble() - origin.x()) / m_advance;
        const double row = (m.captured(2).toDouble() - origin.y()) / m_pitch;
        if (qAbs(column - qRound(column)) > 0.05 || qAbs(row - qRound(row)) > 0.05)
            return {"off the grid: " + m.captured(3)};
        while (rows.size() <= qRound(row))
            rows << QString();
        rows[qRound(row)] = rows[qRound(row)].leftJustified(qRound(column)) + m.captured(3);
    }
    return rows;
}

void PrintTest::page_data() {
    QTest::addColumn<QStringList>("boxes");  // the two counts to calculate, then texts pasted
    QTest::addColumn<QStringList>("values");
    const QString sigma = QString::fromUtf8("\u2265 4.38");
    // clang-format off
    QTest::newRow("worked example") << QStringList{"7", "1500"} << QStringList{"7.00", "1500.00", "4666.67", "0.47%", "99.53%", "4.10"};
    QTest::newRow("before calculating") << QStringList{"", "", "1.2.3"} << QStringList{"1.2.3", "", "", "", "", ""};
    QTest::newRow("edited afterwards") << QStringList{"0", "1500", "5", "", "0.125"} << QStringList{"5.00", "1500.00", "0.13", "0.00%", "100.00%", sigma};
    // clang-format on
}

void PrintTest::page() {
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, values);
    Window w;
    w.calculate(boxes.value(0), boxes.value(1));
    w.warnings.texts.clear();
    const QStringList names{"txttotaldefects", "txttotalopportunities", "txtDPMO"};
    for (int i = 2; i < boxes.size(); ++i) {
        if (!boxes[i].isEmpty())
            w.box(names[i - 2])->setText(boxes[i]);
    }
    const QStringList before = w.results();
    const QStringList labels{"Total number of defects observed       :",
                             "Total opportunities observed           :",
                             "Defects per Million Opportunities(DPMO):",
                             "Defects(%):",
                             "Yields(%) :",
                             "Process Sigma Level  :"};
    QStringList expected;
    for (int i = 0; i < 6; ++i)
        expected << labels[i] + values[i] << QStringList(i == 4 ? 2 : i < 4, QString());
    QCOMPARE(printAndRead(w), expected);
    QCOMPARE(w.results(), before);
    QCOMPARE(w.warnings.texts, QStringList());
}

void PrintTest::nothingIsSent_data() {
    QTest::addColumn<QString>("setUp");  // commands, or TMPDIR for an engine that cannot spool
    QTest::addColumn<QString>("tearDown");
    QTest::addColumn<QString>("warning");
    const QString notPrinted = QString::fromUtf8(tallyvane::warning::kReportNotPrinted);
    // A queue made the default and then deleted leaves the server without a default.
    QTest::newRow("no default printer")
        << "lpadmin -p gone -E -v file:///dev/null;lpadmin -d gone;lpadmin -x gone"
        << "lpadmin -d tallyvane-pdf" << QString::fromUtf8(tallyvane::warning::kNoDefaultPrinter);
    QTest::newRow("cannot start a document") << "TMPDIR"
                                             << "" << notPrinted;
    QTest::newRow("rejecting jobs") << "cupsreject tallyvane-pdf"
                                    << "cupsaccept tallyvane-pdf" << notPrinted;
    QTest::newRow("stopped") << "cupsdisable tallyvane-pdf"
                             << "cupsenable tallyvane-pdf" << notPrinted;
}

void PrintTest::nothingIsSent() {
    QFETCH(QString, setUp);
    QFETCH(QString, tearDown);
    QFETCH(QString, warning);
    const QByteArray tmpdir = qgetenv("TMPDIR");
    if (setUp == "TMPDIR")
        qputenv("TMPDIR", "/nonexistent");  // where the print engine spools
    else
        for (const QString& command : setUp.split(';'))
            Run(command);
    Window w;
    w.calculate("7", "1500");
    const QString jobs = Run("lpstat -W all -o");
    w.click("cmdPrint");
    qputenv("TMPDIR", tmpdir);
    for (const QString& command : tearDown.split(';', Qt::SkipEmptyParts))
        Run(command);
    QCOMPARE(w.warnings.texts, QStringList{warning});
    QCOMPARE(Run("lpstat -W all -o"), jobs);
    QCOMPARE(w.results(), QStringList({"4666.66666666667", "0.47%", "99.53%", "4.10"}));
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
