// Prints for real through a private CUPS queue whose device writes a PDF file, then reads the
// page back with poppler's tools.
#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>

#include "calc/warning_texts.h"
#include "tests/app/window_fixture.h"

using tallyvane::testing::Window;

namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PendingJobs() {
    return Run("lpstat", {"-o"});
}

const QStringList kWorkedResults{"4666.66666666667", "0.47%", "99.53%", "4.10"};

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
    QStringList PrintAndRead(Window& w);

    QString m_dir;
    QRectF m_area;  // the printable area, points
    double m_advance = 0, m_pitch = 0;
};

void PrintTest::initTestCase() {
    QFile state(qEnvironmentVariable("TALLYVANE_CUPS_STATE"));
    QVERIFY2(state.open(QIODevice::ReadOnly), "the private print server is not running");
    m_dir = QString::fromUtf8(state.readAll()).trimmed();
    qputenv("CUPS_SERVER", (m_dir + "/cups.sock").toUtf8());
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    QCOMPARE(printer.printerName(), QStringLiteral("tallyvane-pdf"));
    m_area = printer.pageLayout().paintRect(QPageLayout::Point);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(12);
    const QFontMetricsF metrics(font, &printer);
    m_advance = metrics.horizontalAdvance('0') * 72.0 / printer.resolution();
    m_pitch = metrics.lineSpacing() * 72.0 / printer.resolution();
}

// Presses Print Result, waits for the one-page PDF and rebuilds its rows character for
// character from the word boxes of the fixed-pitch font, checking where the page begins.
QStringList PrintTest::PrintAndRead(Window& w) {
    const QString pdf = m_dir + "/out/report.pdf";
    QFile::remove(pdf);
    w.click("cmdPrint");
    if (!QTest::qWaitFor([&] { return PendingJobs().isEmpty() && QFile::exists(pdf); }, 60000))
        return {"no page"};
    if (!Run("pdfinfo", {pdf}).contains(QRegularExpression(R"(Pages:\s+1\n)")) ||
        !Run("pdffonts", {pdf}).contains(QRegularExpression(R"(LiberationMono\s.*\byes\b)")))
        return {"not one page in Liberation Mono"};
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
    QStringList rows;
    double top = -1;
    const double left = m_area.left() + m_area.width() * 100 / 850;
    for (const auto& m : word.globalMatch(Run("pdftotext", {"-bbox", pdf, "-"}))) {
        const double x = m.captured(1).toDouble(), y = m.captured(2).toDouble();
        if (top < 0) {
            top = y;
            if (qAbs((y - m_area.top()) / m_area.height() * 1000 - 100) > 0.5)
                return {"first line not at y = 100"};
        }
        const int row = qRound((y - top) / m_pitch);
        const double column = (x - left) / m_advance;
        if (qAbs(column - qRound(column)) > 0.05 || qAbs(y - top - row * m_pitch) > 0.05)
            return {"off the grid: " + m.captured(3)};
        while (rows.size() <= row)
            rows << QString();
        rows[row] = rows[row].leftJustified(qRound(column), ' ') + m.captured(3);
    }
    return rows;
}

void PrintTest::page_data() {
    QTest::addColumn<QStringList>("typed");  // the six boxes; "" calculates first
    QTest::addColumn<QStringList>("values");
    const QString sigma = QString::fromUtf8("\u2265 4.38");
    // clang-format off
    QTest::newRow("worked example") << QStringList{"7", "1500"} << QStringList{"7.00", "1500.00", "4666.67", "0.47%", "99.53%", "4.10"};
    QTest::newRow("before calculating") << QStringList{"1.2.3", "", "", "", "", ""} << QStringList{"1.2.3", "", "", "", "", ""};
    QTest::newRow("edited input") << QStringList{"0", "1500", "5"} << QStringList{"5.00", "1500.00", "0.00", "0.00%", "100.00%", sigma};
    QTest::newRow("exact values") << QStringList{"1", "8000", "", "0.125"} << QStringList{"1.00", "8000.00", "0.13", "0.01%", "99.99%", "5.16"};
    QTest::newRow("exponent") << QStringList{"1", "8000", "", "3.33333333333333E-05"} << QStringList{"1.00", "8000.00", "0.00", "0.01%", "99.99%", "5.16"};
    // clang-format on
}

void PrintTest::page() {
    QFETCH(QStringList, typed);
    QFETCH(QStringList, values);
    Window w;
    if (typed.size() == 6) {
        w.enter(typed[0], typed[1]);
    } else {
        w.calculate(typed[0], typed[1]);
        if (typed.size() > 2 && !typed[2].isEmpty())
            w.box("txttotaldefects")->setText(typed[2]);
        if (typed.size() > 3)
            w.box("txtDPMO")->setText(typed[3]);
    }
    const QStringList boxes = w.results();
    const QStringList labels{"Total number of defects observed       :",
                             "Total opportunities observed           :",
                             "Defects per Million Opportunities(DPMO):",
                             "Defects(%):",
                             "Yields(%) :",
                             "Process Sigma Level  :"};
    QStringList expected;
    for (int i = 0; i < 6; ++i)
        expected << labels[i] + values[i] << QStringList(i == 4 ? 2 : i < 4, QString());
    QCOMPARE(PrintAndRead(w), expected);
    QCOMPARE(w.results(), boxes);
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
    const auto run = [](const QString& commands) {
        for (const QString& command : commands.split(';', Qt::SkipEmptyParts)) {
            const QStringList words = command.split(' ');
            Run(words[0], words.mid(1));
        }
    };
    const QByteArray tmpdir = qgetenv("TMPDIR");
    if (setUp == "TMPDIR")
        qputenv("TMPDIR", "/nonexistent/tallyvane");  // the print engine spools there
    else
        run(setUp);
    Window w;
    w.calculate("7", "1500");
    const QString jobsBefore = Run("lpstat", {"-W", "all", "-o"});
    w.click("cmdPrint");
    QTest::qWait(500);
    qputenv("TMPDIR", tmpdir);
    run(tearDown);
    QCOMPARE(w.warnings.texts, QStringList{warning});
    QCOMPARE(Run("lpstat", {"-W", "all", "-o"}), jobsBefore);
    QCOMPARE(w.results(), kWorkedResults);
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
