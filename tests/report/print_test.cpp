// Prints for real through a private CUPS queue whose device writes a PDF file, then reads the
// page back with poppler's tools.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "report/report_device.h"
#include "tests/app/window_fixture.h"

using tallyvane::testing::WindowFixture;

namespace {

// Runs a command to its end; its output, or an empty text when it failed (and says so).
QString Run(const QString& program, const QStringList& args, bool* ok = nullptr) {
    QProcess process;
    process.start(program, args);
    const bool finished = process.waitForFinished(30000) && process.exitCode() == 0;
    if (ok)
        *ok = finished;
    if (!finished) {
        qWarning() << program << args << process.readAllStandardError();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word {
    double xMin, yMin;
    QString text;
};

// The words of a one-page PDF with their boxes, in points from the page's top left.
QList<Word> Words(const QString& pdf) {
    QList<Word> words;
    static const QRegularExpression re(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
    for (const auto& m : re.globalMatch(Run("pdftotext", {"-bbox", pdf, "-"}))) {
        words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3)});
    }
    return words;
}

struct Page {
    QStringList rows;     // the text of every row from the first, "" for an empty row
    QList<double> lefts;  // left edge of each labelled line, points
    double top = 0;       // top of the first line, points
    double pitch = 0;     // row height, points
};

// Rebuilds the page's rows character for character from the word boxes of a fixed-pitch
// font: every word lands in the column its left edge gives.
Page ReadPage(const QString& pdf, double advance, double pitch) {
    const QList<Word> words = Words(pdf);
    Page page;
    if (words.isEmpty())
        return page;
    page.top = words.front().yMin;
    page.pitch = pitch;
    const double left = words.front().xMin;
    for (const Word& w : words) {
        const int row = qRound((w.yMin - page.top) / pitch);
        const int column = qRound((w.xMin - left) / advance);
        while (page.rows.size() <= row) {
            page.rows << QString();
            page.lefts << -1;
        }
        QString& text = page.rows[row];
        if (text.isEmpty())
            page.lefts[row] = w.xMin;
        text = text.leftJustified(column, ' ') + w.text;
    }
    return page;
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void workedExample();
    void printsTheBoxesAsTheyStand();
    void repeatsAndExactValues();
    void noDefaultPrinter();
    void printerThatCannotStart();

private:
    int CompletedJobs() const;
    QString PrintAndRead(WindowFixture& f);
    QStringList Expected(const QStringList& values) const;

    QString m_dir;
    QString m_pdf;
    QRectF m_area;  // the printable area, points
    double m_advance = 0;
    double m_pitch = 0;
    int m_copies = 0;
};

void PrintTest::initTestCase() {
    QFile state(qEnvironmentVariable("TALLYVANE_CUPS_STATE"));
    QVERIFY2(state.open(QIODevice::ReadOnly), "the private print server is not running");
    m_dir = QString::fromUtf8(state.readAll()).trimmed();
    qputenv("CUPS_SERVER", (m_dir + "/cups.sock").toUtf8());
    m_pdf = m_dir + "/out/report.pdf";

    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    QCOMPARE(info.printerName(), QStringLiteral("tallyvane-pdf"));
    QPrinter printer(info, QPrinter::HighResolution);
    m_area = printer.pageLayout().paintRect(QPageLayout::Point);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(12);
    const QFontMetricsF metrics(font, &printer);
    const double pointsPerPixel = 72.0 / printer.resolution();
    m_advance = metrics.horizontalAdvance('0') * pointsPerPixel;
    m_pitch = metrics.lineSpacing() * pointsPerPixel;
}

int PrintTest::CompletedJobs() const {
    return Run("lpstat", {"-W", "completed", "-o", "tallyvane-pdf"})
        .split('\n', Qt::SkipEmptyParts)
        .size();
}

// Presses Print Result, waits for the job to finish and keeps a copy of its PDF.
QString PrintTest::PrintAndRead(WindowFixture& f) {
    const int before = CompletedJobs();
    QFile::remove(m_pdf);
    QTest::mouseClick(f.control<QPushButton>("cmdPrint"), Qt::LeftButton);
    QElapsedTimer clock;
    clock.start();
    while (CompletedJobs() == before && clock.elapsed() < 60000) {
        QTest::qWait(100);
    }
    if (CompletedJobs() != before + 1 || !QFile::exists(m_pdf))
        return {};
    const QString copy =
        QDir::temp().filePath(QStringLiteral("tallyvane-print-test-%1.pdf").arg(++m_copies));
    QFile::remove(copy);
    QFile::copy(m_pdf, copy);
    return copy;
}

QStringList PrintTest::Expected(const QStringList& values) const {
    const QStringList labels{"Total number of defects observed       :",
                             "Total opportunities observed           :",
                             "Defects per Million Opportunities(DPMO):",
                             "Defects(%):",
                             "Yields(%) :",
                             "Process Sigma Level  :"};
    QStringList rows;
    for (int i = 0; i < 6; ++i) {
        rows << labels[i] + values[i];
        if (i < 5)
            rows << QString();
        if (i == 4)
            rows << QString();
    }
    return rows;
}

void PrintTest::workedExample() {
    WindowFixture f;
    f.enter("7", "1500");
    f.calculate();
    const QString pdf = PrintAndRead(f);
    QVERIFY(!pdf.isEmpty());

    const Page page = ReadPage(pdf, m_advance, m_pitch);
    QCOMPARE(page.rows, Expected({"7.00", "1500.00", "4666.67", "0.47%", "99.53%", "4.10"}));
    // pdftotext's own layout agrees on the order and the empty rows.
    const QStringList layout = Run("pdftotext", {"-layout", pdf, "-"}).split('\n');
    QCOMPARE(layout.mid(0, 12).at(0), page.rows.at(0));
    for (int row : {1, 3, 5, 7, 9, 10})
        QVERIFY(layout.at(row).trimmed().isEmpty());

    // Positions on the 850 x 1000 scale of the printable area.
    for (int row : {0, 2, 4, 6, 8, 11}) {
        QVERIFY2(qAbs((page.lefts[row] - m_area.left()) / m_area.width() * 850 - 100) < 0.5,
                 qPrintable(QString::number(row)));
    }
    QVERIFY(qAbs((page.top - m_area.top()) / m_area.height() * 1000 - 100) < 0.5);

    const QList<Word> words = Words(pdf);
    QVERIFY(qAbs(words.at(words.size() - 1).yMin - words.front().yMin - 11 * m_pitch) < 0.05);
    const QString fonts = Run("pdffonts", {pdf});
    QVERIFY2(QRegularExpression(R"(LiberationMono\s.*\byes\b)").match(fonts).hasMatch(),
             qPrintable(fonts));
    QVERIFY(Run("pdfinfo", {pdf}).contains(QRegularExpression(R"(Pages:\s+1\n)")));
}

void PrintTest::printsTheBoxesAsTheyStand() {
    WindowFixture f;
    // Before any calculation: the inputs as typed, the result boxes empty.
    f.enter("1.2.3", "");
    QString pdf = PrintAndRead(f);
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(ReadPage(pdf, m_advance, m_pitch).rows, Expected({"1.2.3", "", "", "", "", ""}));

    // Inputs edited after a calculation print as edited, beside the earlier results.
    f.enter("0", "1500");
    f.calculate();
    QTest::keyClicks(f.box("txttotaldefects"), "5");
    pdf = PrintAndRead(f);
    QCOMPARE(ReadPage(pdf, m_advance, m_pitch).rows,
             Expected({"5.00", "1500.00", "0.00", "0.00%", "100.00%",
                       QString::fromUtf8("\u2265 4.38")}));
    QCOMPARE(f.box("txttotaldefects")->text(), QStringLiteral("05"));
}

void PrintTest::repeatsAndExactValues() {
    WindowFixture f;
    f.enter("1", "8000");
    f.calculate();
    f.box("txtDPMO")->setText("0.125");
    const QString first = PrintAndRead(f);
    const QString second = PrintAndRead(f);
    QVERIFY(!first.isEmpty() && !second.isEmpty());
    QCOMPARE(ReadPage(first, m_advance, m_pitch).rows,
             Expected({"1.00", "8000.00", "0.13", "0.01%", "99.99%", "5.16"}));
    QCOMPARE(ReadPage(second, m_advance, m_pitch).rows, ReadPage(first, m_advance, m_pitch).rows);
    QVERIFY(Run("pdfinfo", {second}).contains(QRegularExpression(R"(Pages:\s+1\n)")));

    f.box("txtDPMO")->setText("3.33333333333333E-05");
    QCOMPARE(ReadPage(PrintAndRead(f), m_advance, m_pitch).rows.value(4),
             QStringLiteral("Defects per Million Opportunities(DPMO):0.00"));
}

void PrintTest::noDefaultPrinter() {
    // A queue made the default and then deleted leaves the server without a default.
    const QString server = m_dir + "/cups.sock";
    bool ok = false;
    Run("lpadmin", {"-h", server, "-p", "gone", "-E", "-v", "file:///dev/null"}, &ok);
    QVERIFY(ok);
    Run("lpadmin", {"-h", server, "-d", "gone"}, &ok);
    QVERIFY(ok);
    Run("lpadmin", {"-h", server, "-x", "gone"}, &ok);
    QVERIFY(ok);
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());

    WindowFixture f;
    f.enter("7", "1500");
    f.calculate();
    const QStringList before = f.results();
    const QString jobsBefore = Run("lpstat", {"-W", "all", "-o"});
    QTest::mouseClick(f.control<QPushButton>("cmdPrint"), Qt::LeftButton);
    QTest::qWait(500);

    Run("lpadmin", {"-h", server, "-d", "tallyvane-pdf"});
    QCOMPARE(f.boxes().size(), 1u);
    QCOMPARE(f.boxes()[0].prompt,
             QStringLiteral("No default printer is set up. The report was not printed."));
    QCOMPARE(f.boxes()[0].title, QStringLiteral("Warning"));
    QCOMPARE(f.boxes()[0].buttons, 49);
    QCOMPARE(Run("lpstat", {"-W", "all", "-o"}), jobsBefore);
    QCOMPARE(f.results(), before);
    QCOMPARE(f.box("txttotaldefects")->text(), QStringLiteral("7"));
}

void PrintTest::printerThatCannotStart() {
    // The print engine spools into the temporary folder; without one it cannot begin.
    const bool hadTmpdir = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/nonexistent/tallyvane");
    WindowFixture f;
    f.enter("7", "1500");
    f.calculate();
    const QString jobsBefore = Run("lpstat", {"-W", "all", "-o"});
    QTest::mouseClick(f.control<QPushButton>("cmdPrint"), Qt::LeftButton);
    QTest::qWait(500);
    if (hadTmpdir) {
        qputenv("TMPDIR", tmpdir);
    } else {
        qunsetenv("TMPDIR");
    }

    QCOMPARE(f.boxes().size(), 1u);
    QCOMPARE(f.boxes()[0].prompt, QStringLiteral("The report could not be printed."));
    QCOMPARE(f.boxes()[0].title, QStringLiteral("Warning"));
    QCOMPARE(Run("lpstat", {"-W", "all", "-o"}), jobsBefore);
    QCOMPARE(f.results(), QStringList({"4666.66666666667", "0.47%", "99.53%", "4.10"}));
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
