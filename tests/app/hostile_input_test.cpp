// Whatever lands in the boxes, the window ends in one of its warnings or in correct results,
// stays usable, and prints without harm. Printing goes to the tests' private print server.
#include <QFile>
#include <QTest>

#include "tests/app/window_fixture.h"

using tallyvane::testing::WindowFixture;

namespace {

const QString kInvalid = "Please enter valid Defects and Opportunities Values";
const QString kNegative = "Defects and opportunities can not be negative!";
const QStringList kWorked{"4666.66666666667", "0.47%", "99.53%", "4.10"};

}  // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pasted_data();
    void pasted();
    void alternatingCalculations();
};

void HostileInputTest::initTestCase() {
    QFile state(qEnvironmentVariable("TALLYVANE_CUPS_STATE"));
    QVERIFY2(state.open(QIODevice::ReadOnly), "the private print server is not running");
    qputenv("CUPS_SERVER", QString::fromUtf8(state.readAll()).trimmed().toUtf8() + "/cups.sock");
}

// clang-format off
void HostileInputTest::pasted_data() {
    QTest::addColumn<QString>("defects");
    QTest::addColumn<QString>("opportunities");
    QTest::addColumn<QString>("warning");      // empty: results expected
    QTest::addColumn<QStringList>("results");  // the result boxes afterwards

    const QString megabyte(1 << 20, '9');
    const QString zeros(1 << 20, '0');
    const QStringList empty{"", "", "", ""};
    QTest::newRow("1 MB of digits, defects") << megabyte << "1500" << kInvalid << empty;
    QTest::newRow("1 MB of digits, opportunities") << "7" << megabyte << kInvalid << empty;
    QTest::newRow("1 MB of digits, both") << megabyte << megabyte << kInvalid << empty;
    QTest::newRow("1 MB of leading zeros") << zeros + "7" << zeros + "1500" << "" << kWorked;
    // Pasted into the defects box beside 1500, then into the opportunities box beside 7,
    // where the part read before the stray character is smaller than 7 or not.
    const QString bigger = "Defects can not be bigger than opportunities!";
    const auto rows = [&](const QString& name, const QString& text, const QString& asOpps) {
        QTest::newRow(qPrintable(name + ", defects")) << text << "1500" << kInvalid << empty;
        QTest::newRow(qPrintable(name + ", opportunities")) << "7" << text << asOpps << empty;
    };
    rows("exponent", "1e5", bigger);
    rows("leading blank", " 12", bigger);
    rows("trailing blank", "12 ", kInvalid);
    rows("decimal comma", "1,5", bigger);
    rows("Arabic-Indic digit", QString(QChar(0x0663)), bigger);
    rows("blanks", "   ", bigger);
    QTest::newRow("negative defects") << "-5" << "1500" << kNegative << empty;
    QTest::newRow("negative opportunities") << "-5" << "-1" << kNegative << empty;
    QTest::newRow("negative, opportunities smaller") << "7" << "-5" << "Defects can not be bigger than opportunities!" << empty;
    QTest::newRow("empty defects") << "" << "1500" << "Please enter Defects Values" << empty;
    QTest::newRow("blanks in both") << "  " << " " << "Your sigma level is 0" << empty;
}
// clang-format on

void HostileInputTest::pasted() {
    QFETCH(QString, defects);
    QFETCH(QString, opportunities);
    QFETCH(QString, warning);
    QFETCH(QStringList, results);
    WindowFixture f;
    f.enter(defects, opportunities);
    f.calculate();
    QCOMPARE(f.boxes().size(), warning.isEmpty() ? 0u : 1u);
    if (!warning.isEmpty())
        QCOMPARE(f.boxes().back().prompt, warning);
    QCOMPARE(f.results(), results);

    // Print Result with all of it in the boxes: nothing changes, nothing breaks.
    const QStringList before = f.results();
    QTest::mouseClick(f.control<QPushButton>("cmdPrint"), Qt::LeftButton);
    QCOMPARE(f.results(), before);
    QCOMPARE(f.box("txttotaldefects")->text(), defects);
    QCOMPARE(f.box("txttotalopportunities")->text(), opportunities);

    // And the window goes on working.
    f.enter("", "");
    f.box("txttotaldefects")->setFocus();
    QTest::keyClicks(f.box("txttotaldefects"), "7");
    QTest::keyClick(f.box("txttotaldefects"), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), "1500");
    f.calculate();
    QCOMPARE(f.results(), kWorked);
}

void HostileInputTest::alternatingCalculations() {
    WindowFixture f;
    for (int i = 0; i < 500; ++i) {
        f.enter("7", "1500");
        f.calculate();
        QCOMPARE(f.results(), kWorked);
        f.enter("1.2.3", "10");
        f.calculate();
        QCOMPARE(f.results(), QStringList({"", "", "", ""}));
    }
    QCOMPARE(f.boxes().size(), 500u);
    QCOMPARE(f.window().frameGeometry().size(), QSize(408, 373));
}

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
