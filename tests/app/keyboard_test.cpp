#include <QApplication>
#include <QTest>

#include "tests/app/window_fixture.h"

using tallyvane::testing::WindowFixture;

namespace {

QStringList TabCycle(WindowFixture& f, int presses) {
    QStringList names{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << QApplication::focusWidget()->objectName();
    }
    Q_UNUSED(f);
    return names;
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void tabOrderBeforeCalculation();
    void tabOrderAfterCalculation();
    void filter_data();
    void filter();
    void editingKeysWorkAsUsual();
    void enterMovesOnAndCalculates();
    void spaceClicksTheFocusedButton();
};

void KeyboardTest::tabOrderBeforeCalculation() {
    WindowFixture f;
    QCOMPARE(TabCycle(f, 4), QStringList({"txttotaldefects", "txttotalopportunities",
                                          "cmdcalculate", "cmdPrint", "txttotaldefects"}));
}

void KeyboardTest::tabOrderAfterCalculation() {
    WindowFixture f;
    f.enter("7", "1500");
    f.calculate();
    f.box("txttotaldefects")->setFocus();
    QCOMPARE(TabCycle(f, 8), QStringList({"txttotaldefects", "txttotalopportunities", "txtDPMO",
                                          "cmdcalculate", "txtyields", "txtprocesssigma",
                                          "txtdefectspercent", "cmdPrint", "txttotaldefects"}));
}

// clang-format off
void KeyboardTest::filter_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");  // typed after "12"

    const int none = Qt::NoModifier;
    for (const QString box : {"txttotaldefects", "txttotalopportunities"}) {
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::newRow(qPrintable(box + ": " + name)) << box;
        };
        row("digit") << int(Qt::Key_5) << none << "5" << "125";
        row("keypad digit") << int(Qt::Key_7) << int(Qt::KeypadModifier) << "7" << "127";
        row("point") << int(Qt::Key_Period) << none << "." << "12.";
        row("minus") << int(Qt::Key_Minus) << none << "-" << "12";
        row("letter") << int(Qt::Key_E) << none << "e" << "12";
        row("non-ASCII digit") << int(Qt::Key_unknown) << none << QString(QChar(0x0663)) << "12";
        row("backspace") << int(Qt::Key_Backspace) << none << "\b" << "1";
        row("escape") << int(Qt::Key_Escape) << none << "\x1b" << "12";
    }
}
// clang-format on

void KeyboardTest::filter() {
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, result);
    WindowFixture f;
    QLineEdit* edit = f.box(qPrintable(box));
    edit->setFocus();
    QTest::keyClicks(edit, "12");
    QTest::sendKeyEvent(QTest::Press, edit, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    QTest::sendKeyEvent(QTest::Release, edit, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(edit->text(), result);
}

void KeyboardTest::editingKeysWorkAsUsual() {
    WindowFixture f;
    QLineEdit* edit = f.box("txttotaldefects");
    QTest::keyClicks(edit, "1.2.3");  // a second point passes: the calculation judges it
    QCOMPARE(edit->text(), QStringLiteral("1.2.3"));
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClicks(edit, "9");
    QCOMPARE(edit->text(), QStringLiteral(".2.93"));
    // Cutting, copying and pasting by keyboard do nothing in an input box.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral(".2.93"));
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    edit->deselect();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral(".2.93"));
}

void KeyboardTest::enterMovesOnAndCalculates() {
    WindowFixture f;
    QTest::keyClicks(QApplication::focusWidget(), "7");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txttotalopportunities"));
    QTest::keyClicks(QApplication::focusWidget(), "1500");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdcalculate"));
    QCOMPARE(f.box("txttotaldefects")->text(), QStringLiteral("7"));
    QCOMPARE(f.box("txttotalopportunities")->text(), QStringLiteral("1500"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(f.results(), QStringList({"4666.66666666667", "0.47%", "99.53%", "4.10"}));
}

void KeyboardTest::spaceClicksTheFocusedButton() {
    WindowFixture f;
    f.enter("1", "2");
    f.control("cmdcalculate")->setFocus();
    QTest::keyClick(f.control("cmdcalculate"), Qt::Key_Space);
    QCOMPARE(f.results(), QStringList({"500000", "50.00%", "50.00%", "1.50"}));
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
