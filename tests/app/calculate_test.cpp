#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "tests/app/window_fixture.h"

using tallyvane::testing::WindowFixture;

namespace {

const char* const kResultControls[] = {"lblDPMO",           "txtDPMO",        "lbldefectspercent",
                                       "txtdefectspercent", "lblyield",       "txtyields",
                                       "lblprocesssigma",   "txtprocesssigma"};

bool ResultsVisible(const WindowFixture& f) {
    for (const char* name : kResultControls) {
        if (!f.control(name)->isVisible())
            return false;
    }
    return true;
}

const QSize kCompact(400, 120);   // the client area at start
const QSize kEnlarged(408, 373);  // the outer size after a calculation, 6120 x 5600 twips

}  // namespace

class CalculateTest : public QObject {
    Q_OBJECT

private slots:
    void warningsChangeNothing_data();
    void warningsChangeNothing();
    void workedExample();
    void zeroDefectsShowTheLowerBound();
    void invalidCountsEmptyTheResults_data();
    void invalidCountsEmptyTheResults();
    void warningAfterResultsKeepsThem();
    void recalculationRestoresTheSize();
    void editingKeepsOldResults();
    void realMessageBox();
};

// clang-format off
void CalculateTest::warningsChangeNothing_data() {
    QTest::addColumn<QString>("defects");
    QTest::addColumn<QString>("opportunities");
    QTest::addColumn<QString>("warning");
    QTest::newRow("both empty") << "" << "" << "Please enter Defects and Opportunities Values";
    QTest::newRow("equal") << "5" << "5" << "Your sigma level is 0";
}
// clang-format on

void CalculateTest::warningsChangeNothing() {
    QFETCH(QString, defects);
    QFETCH(QString, opportunities);
    QFETCH(QString, warning);
    WindowFixture f;
    f.enter(defects, opportunities);
    f.calculate();
    QCOMPARE(f.boxes().size(), 1u);
    QCOMPARE(f.boxes()[0].prompt, warning);
    QCOMPARE(f.boxes()[0].title, QStringLiteral("Warning"));
    QCOMPARE(f.boxes()[0].buttons, 49);
    QCOMPARE(f.window().size(), kCompact);
    QVERIFY(!f.control("txtDPMO")->isVisible());
    QCOMPARE(f.results(), QStringList({"", "", "", ""}));
}

void CalculateTest::workedExample() {
    WindowFixture f;
    const QPoint topLeft = f.window().frameGeometry().topLeft();
    f.enter("7", "1500");
    f.calculate();
    QVERIFY(f.boxes().empty());
    QCOMPARE(f.results(), QStringList({"4666.66666666667", "0.47%", "99.53%", "4.10"}));
    QVERIFY(ResultsVisible(f));
    QCOMPARE(f.window().frameGeometry(), QRect(topLeft, kEnlarged));
    QVERIFY(f.box("txtprocesssigma")->toolTip().isEmpty());
    // The Print Result button now shows inside the client area.
    QVERIFY(f.window().rect().contains(f.control("cmdPrint")->geometry()));
}

void CalculateTest::zeroDefectsShowTheLowerBound() {
    WindowFixture f;
    f.enter("0", "1500");
    f.calculate();
    QVERIFY(f.boxes().empty());
    QCOMPARE(f.results(), QStringList({"0", "0.00%", "100.00%", QString::fromUtf8("≥ 4.38")}));
    QVERIFY(ResultsVisible(f));
    QVERIFY(f.box("txtprocesssigma")->toolTip().contains("95% lower confidence bound"));
    // An ordinary result afterwards drops the tip again.
    f.enter("7", "1500");
    f.calculate();
    QVERIFY(f.box("txtprocesssigma")->toolTip().isEmpty());
}

// clang-format off
void CalculateTest::invalidCountsEmptyTheResults_data() {
    QTest::addColumn<QString>("defects");
    QTest::addColumn<QString>("opportunities");
    QTest::addColumn<QString>("warning");
    const QString invalid = "Please enter valid Defects and Opportunities Values";
    const QString negative = "Defects and opportunities can not be negative!";
    QTest::newRow("two points") << "1.2.3" << "10" << invalid;
    QTest::newRow("negative defects") << "-5" << "10" << negative;
}
// clang-format on

void CalculateTest::invalidCountsEmptyTheResults() {
    QFETCH(QString, defects);
    QFETCH(QString, opportunities);
    QFETCH(QString, warning);
    WindowFixture f;
    f.enter("7", "1500");
    f.calculate();
    f.enter(defects, opportunities);
    f.calculate();
    QCOMPARE(f.boxes().size(), 1u);
    QCOMPARE(f.boxes()[0].prompt, warning);
    QCOMPARE(f.boxes()[0].title, QStringLiteral("Warning"));
    QCOMPARE(f.results(), QStringList({"", "", "", ""}));
    QVERIFY(ResultsVisible(f));
    QCOMPARE(f.window().frameGeometry().size(), kEnlarged);
}

void CalculateTest::warningAfterResultsKeepsThem() {
    WindowFixture f;
    f.enter("7", "1500");
    f.calculate();
    f.enter("", "");
    f.calculate();
    QCOMPARE(f.boxes().size(), 1u);
    QCOMPARE(f.results(), QStringList({"4666.66666666667", "0.47%", "99.53%", "4.10"}));
    QVERIFY(ResultsVisible(f));
    QCOMPARE(f.window().frameGeometry().size(), kEnlarged);
}

void CalculateTest::recalculationRestoresTheSize() {
    WindowFixture f;
    f.enter("7", "1500");
    f.calculate();
    const QPoint topLeft = f.window().frameGeometry().topLeft();
    f.window().resize(600, 500);
    f.enter("1", "3");
    f.calculate();
    QCOMPARE(f.window().frameGeometry(), QRect(topLeft, kEnlarged));
    QCOMPARE(f.results(), QStringList({"333333.333333333", "33.33%", "66.67%", "1.93"}));
}

void CalculateTest::editingKeepsOldResults() {
    WindowFixture f;
    f.enter("7", "1500");
    f.calculate();
    QTest::keyClicks(f.box("txttotaldefects"), "9");
    QCOMPARE(f.box("txttotaldefects")->text(), QStringLiteral("79"));
    QCOMPARE(f.results(), QStringList({"4666.66666666667", "0.47%", "99.53%", "4.10"}));
    // The result boxes take typing too.
    f.box("txtDPMO")->setFocus();
    QTest::keyClicks(f.box("txtDPMO"), "x");
    QVERIFY(f.box("txtDPMO")->text().contains('x'));
}

void CalculateTest::realMessageBox() {
    WindowFixture f;
    tallyvane::SetMessageBoxHook({});  // the real modal box from here on
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool seen = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        seen = true;
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        defaultButton = box->standardButton(box->defaultButton());
        QTest::keyClick(box, Qt::Key_Return);  // the default button
    });
    poll.start(20);
    f.calculate();  // both boxes empty; returns once the box is closed
    QVERIFY(seen);
    QCOMPARE(text, QStringLiteral("Please enter Defects and Opportunities Values"));
    QCOMPARE(title, QStringLiteral("Warning"));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(defaultButton, QMessageBox::Ok);
    QCOMPARE(f.window().size(), kCompact);
}

QTEST_MAIN(CalculateTest)
#include "calculate_test.moc"
