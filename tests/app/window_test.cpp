#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <cmath>

#include "app/application.h"
#include "app/message_box_warnings.h"
#include "calc/warning_texts.h"
#include "tests/app/window_test.h"

using tallyvane::testing::Window;

namespace {

const QStringList kWorked{"4666.66666666667", "0.47%", "99.53%", "4.10"};
// Where the window belongs with the frame that the platform draws (openbox's 1-pixel sides,
// 20-pixel title bar and 5-pixel bottom edge, on 1024 x 768: 311, 312): compact, 400 x 120
// inside and centred; grown, 6120 x 5600 twips with the frame, the corner kept.
QRect Placed(const QWidget& w, bool grown) {
    const QSize compact = QSize(400, 120) + w.frameGeometry().size() - w.geometry().size();
    const QRect screen = w.screen()->geometry();
    const QPoint corner(screen.x() + qRound((screen.width() - compact.width()) / 2.0),
                        screen.y() + qRound((screen.height() - compact.height()) / 2.0));
    return QRect(corner, grown ? QSize(408, 373) : compact);
}
const QColor kGrey(0xE0, 0xE0, 0xE0);  // the window's background

QStringList TabCycle() {
    QStringList names{QApplication::focusWidget()->objectName()};
    while (names.size() == 1 || names.back() != names.front()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << QApplication::focusWidget()->objectName();
    }
    return names;
}

}  // namespace

void WindowTest::initTestCase() {
    QFile state(qEnvironmentVariable("TALLYVANE_STATE") + "/private-cups.state");
    QVERIFY2(state.open(QIODevice::ReadOnly), "the private print server is not running");
    m_cups = QString::fromUtf8(state.readAll()).trimmed();
    qputenv("CUPS_SERVER", (m_cups + "/cups.sock").toUtf8());
    QSettings("Tallyvane", "Tallyvane").clear();  // no choice left by an earlier run
}

// Centred with its frame; the fifteen controls in pixels at 15 twips each, a fixed background
// with black text (white on navy), also under a dark theme that would put light text everywhere,
// or the platform's colours; the fonts; the icons.
void WindowTest::startsAsDesigned() {
    const QColor grey = kGrey, yellow(Qt::yellow), navy(0, 0, 0x80), none;
    const std::tuple<const char*, QRect, bool, QColor, qreal, bool> rows[] = {
        {"Label2", {168, 16, 121, 25}, true, grey, 8.25, false},
        {"txttotaldefects", {304, 8, 73, 25}, true, yellow, 8.25, false},
        {"lbltotalopportunities", {168, 48, 121, 25}, true, grey, 8.25, false},
        {"txttotalopportunities", {304, 40, 73, 25}, true, yellow, 8.25, false},
        {"LblLink", {0, 64, 161, 17}, true, grey, 8.25, true},
        {"cmdcalculate", {296, 80, 89, 33}, true, none, 8.25, false},
        {"lblDPMO", {168, 144, 121, 33}, false, grey, 8.25, false},
        {"txtDPMO", {304, 144, 73, 25}, false, grey, 8.25, false},
        {"lbldefectspercent", {168, 184, 121, 25}, false, grey, 8.25, false},
        {"txtdefectspercent", {304, 184, 73, 25}, false, grey, 8.25, false},
        {"lblyield", {168, 224, 121, 25}, false, grey, 8.25, false},
        {"txtyields", {304, 224, 73, 25}, false, grey, 8.25, false},
        {"lblprocesssigma", {168, 264, 121, 33}, false, grey, 8.25, false},
        {"txtprocesssigma", {304, 264, 73, 25}, false, navy, 9.75, true},
        {"cmdPrint", {296, 304, 89, 17}, true, none, 8.25, false},
    };
    // The designed face where the system has it (Windows takes its TrueType successor at this
    // size), or else its stand-in with the same metrics.
    const QStringList faces = QFontDatabase::families().contains("MS Sans Serif")
                                  ? QStringList{"MS Sans Serif", "Microsoft Sans Serif"}
                                  : QStringList{"Liberation Sans"};
    const QPalette original = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(0x30, 0x30, 0x30)));  // light text on dark grey
    Window w;
    QApplication::setPalette(original);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tallyvane-www.tallyvane.example"));
    QCOMPARE(w.window.palette().color(QPalette::WindowText), QColor(Qt::black));
    QVERIFY(QFile::exists(SOURCE_DIR "/data/" + QGuiApplication::desktopFileName() + ".desktop"));
    QTRY_COMPARE_WITH_TIMEOUT(w.window.frameGeometry(), Placed(w.window, false), 2000);
    for (const auto& [name, geometry, visible, back, points, bold] : rows) {
        QWidget* c = w.control(name);
        const bool box = qobject_cast<QLineEdit*>(c);
        const QPalette p = c->palette();
        QVERIFY2(c->geometry() == geometry && c->isVisible() == visible, name);
        QVERIFY2(c->font().pointSizeF() == points && c->font().bold() == bold, name);
        QVERIFY2(faces.contains(QFontInfo(c->font()).family()), name);
        QVERIFY2(!back.isValid() || (p.color(box ? QPalette::Base : QPalette::Window) == back &&
                                     p.color(box ? QPalette::Text : QPalette::WindowText) ==
                                         (back == navy ? Qt::white : Qt::black) &&
                                     (box || c->autoFillBackground())),  // opaque labels
                 name);
    }
    QVERIFY(w.control<QLabel>("lblDPMO")->heightForWidth(121) > 25);  // wrapped on two lines
    QCOMPARE(w.window.windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {48, 48}, {64, 64}}));
    // Hidden, the sigma box has its larger face but lays nothing out in it until it shows.
    const auto line = [&](const char* name) {
        return w.box(name)->inputMethodQuery(Qt::ImCursorRectangle).toRect().height();
    };
    QCOMPARE(line("txtprocesssigma"), line("txtDPMO"));
}

void WindowTest::calculate_data() {
    QTest::addColumn<QString>("before");  // "worked", "resized" after it, or "at once" after show
    QTest::addColumn<QString>("counts");
    QTest::addColumn<std::string_view>("warning");
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QStringList>("notes");  // the last boxes' tooltips and descriptions
    QTest::addColumn<bool>("grown");
    using namespace tallyvane::warning;
    const std::string_view ok;
    const QString zeros(1 << 20, '0');
    const QStringList interval{"95% confidence interval: 3.84 to 4.40"}, noNote{""}, noNotes(4, "");
    const QStringList bound{
        "No defects were observed: this is the 95% lower confidence bound of the sigma level."};
    const QStringList intervals = QStringList{"95% confidence interval: 1880 to 9590",
                                              "95% confidence interval: 0.19% to 0.96%",
                                              "95% confidence interval: 99.04% to 99.81%"}
                                  << interval;
    const QStringList bounds =
        QStringList{"95% upper confidence bound: 2000", "95% upper confidence bound: 0.20%",
                    "95% lower confidence bound: 99.80%"}
        << bound;
    const QStringList none{"", "", "", ""}, noDefects{"0", "0.00%", "100.00%", "\u2265 4.38"};
    // clang-format off
    QTest::newRow("both empty")      << "" << " " << kBothMissing << none << noNote << false;
    QTest::newRow("worked example")  << "at once" << "7 1500" << ok << kWorked << intervals << true;
    QTest::newRow("warning keeps")   << "worked" << "10 5" << kDefectsExceed << kWorked << interval << true;
    QTest::newRow("after a resize")  << "resized" << "1 3" << ok << QStringList{"333333.333333333", "33.33%", "66.67%", "1.93"} << QStringList{"95% confidence interval: 0.19 to 3.89"} << true;
    QTest::newRow("zero defects")    << "worked" << "0 1500" << ok << noDefects << bounds << true;
    QTest::newRow("one opportunity") << "" << "0 1" << ok << QStringList{"0", "0.00%", "100.00%", "\u2265 -0.14"} << bound << true;
    QTest::newRow("10^17")           << "" << "0 100000000000000000" << ok << QStringList{"0", "0.00%", "100.00%", "\u2265 9.87"} << bound << true;
    QTest::newRow("no bound")        << "" << "0 0.0001" << ok << QStringList{"0", "0.00%", "100.00%", ""} << noNote << true;
    QTest::newRow("fraction of one") << "worked" << "0 2.5" << ok << QStringList{"0", "0.00%", "100.00%", ""} << noNotes << true;  // no binomial bound
    QTest::newRow("whole in points") << "" << "0.0 10." << ok << QStringList{"0", "0.00%", "100.00%", "\u2265 2.15"} << bound << true;
    QTest::newRow("fractional")      << "worked" << "3.4 1000000" << ok << QStringList{"3.4", "0.00%", "100.00%", "6.00"} << noNotes << true;
    QTest::newRow("two points")      << "worked" << "1.2.3 10" << kInvalidCounts << none << noNotes << true;
    QTest::newRow("negative")        << "worked" << "-5 10" << kNegativeCounts << none << noNotes << true;
    QTest::newRow("1 MB of digits")  << "" << "7 " + QString(1 << 20, '9') << kInvalidCounts << none << noNotes << true;
    QTest::newRow("1 MB of zeros")   << "" << zeros + "7 " + zeros + "1500" << ok << kWorked << interval << true;
    // clang-format on
}

// The first accepted calculation enlarges the window and reveals the results, also at once
// after show(); a warning from the checks changes nothing else.
void WindowTest::calculate() {
    QFETCH(QString, before);
    QFETCH(QString, counts);
    QFETCH(std::string_view, warning);
    QFETCH(QStringList, results);
    QFETCH(QStringList, notes);
    QFETCH(bool, grown);
    Window w(before != "at once");
    if (before == "worked" || before == "resized")
        w.calculate("7", "1500");
    if (before == "resized")
        w.window.resize(600, 500);
    w.calculate(counts.section(' ', 0, 0), counts.section(' ', 1));
    QCOMPARE(w.warnings.texts.join(""), QString::fromUtf8(warning));
    QStringList shown = w.results();
    for (const QLineEdit* box : w.window.findChildren<QLineEdit*>().mid(6 - notes.size()))
        shown << box->toolTip() + "|" + box->accessibleDescription();
    for (const QString& note : notes)
        results << note + "|" + note;
    QCOMPARE(shown, results);
    QTRY_COMPARE_WITH_TIMEOUT(w.window.frameGeometry(), Placed(w.window, grown), 2000);
    QCOMPARE(w.box("txtDPMO")->cursorPosition(), 0);  // a long text shows its start
    // Once shown, the sigma box lays its text out in its larger face: a taller line.
    const auto line = [&](const char* name) {
        return w.box(name)->inputMethodQuery(Qt::ImCursorRectangle).toRect().height();
    };
    QVERIFY(!grown || line("txtprocesssigma") > line("txtDPMO"));
    QCOMPARE(std::ranges::count_if(w.window.findChildren<QWidget*>(), &QWidget::isVisible),
             grown ? 15 : 7);  // the four result rows' labels and boxes
}

// Typing in both boxes, Enter from box to box and onto Calculate, the Tab order before and
// after the results show.
void WindowTest::keyboard() {
    Window w;
    QApplication::clipboard()->setText("9");
    QCOMPARE(TabCycle(), QStringList({"txttotaldefects", "txttotalopportunities", "cmdcalculate",
                                      "cmdPrint", "txttotaldefects"}));
    for (const auto& [name, next] : {std::pair("txttotaldefects", "txttotalopportunities"),
                                     std::pair("txttotalopportunities", "cmdcalculate")}) {
        // To the focus, which only Enter moves on. Pasting by keyboard does nothing, whatever
        // text the platform gives Ctrl+V.
        QTest::keyClicks(QApplication::focusWidget(), "17-h .5");  // h: not Ctrl+H
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_V, QString(),
                            Qt::ControlModifier);
        for (const char* keys : {"Backspace", "Ctrl+V", "Home", "Delete", "Return"})
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
        QCOMPARE(w.box(name)->text() + QApplication::focusWidget()->objectName(),
                 "7." + QString(next));
    }
    // An input method's text is judged character by character: a full-width digit, a letter and
    // a blank stay out.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("1\uFF12a.5 9"));
    w.box("txttotalopportunities")->end(false);
    QApplication::sendEvent(w.box("txttotalopportunities"), &commit);
    QCOMPARE(w.box("txttotalopportunities")->text(), QStringLiteral("7.1.59"));
    w.box("txttotalopportunities")->setText("1500");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // the focused Calculate
    QCOMPARE(w.results(), kWorked);
    w.box("txttotaldefects")->setFocus();
    QCOMPARE(TabCycle(), QStringList({"txttotaldefects", "txttotalopportunities", "txtDPMO",
                                      "cmdcalculate", "txtyields", "txtprocesssigma",
                                      "txtdefectspercent", "cmdPrint", "txttotaldefects"}));
}

// The pointer over the link highlights it, over the bare surface or the banner makes it plain,
// onto another control leaves it. A left click on it, or a screen reader's press action, opens
// the site; a right click or a press that ends elsewhere does not. It never takes the focus.
void WindowTest::link() {
    Window w;
    QLabel* link = w.control<QLabel>("LblLink");
    const auto look = [&] {
        const QFont f = link->font();
        return std::tuple(f.bold(), f.underline(), link->palette().color(QPalette::WindowText));
    };
    QCOMPARE(look(), std::tuple(true, false, QColor(Qt::black)));
    const std::tuple<QPoint, bool, QColor> path[] = {
        {{100, 105}, false, Qt::black},
        {link->geometry().center(), true, Qt::blue},
        {{330, 20}, true, Qt::blue},
        {{70, 30}, false, Qt::black},  // a box, the banner
    };
    for (const auto& [at, highlighted, color] : path) {
        QTest::mouseMove(&w.window, at + QPoint(3, 1));  // from beside it, so that it moves
        QTest::mouseMove(&w.window, at);
        // The real pointer moves, and its events may come late.
        QTRY_COMPARE(look(), std::tuple(highlighted, highlighted, color));
    }
    QCOMPARE(link->cursor().shape(), Qt::WhatsThisCursor);
    QCOMPARE(link->focusPolicy(), Qt::NoFocus);
    QDesktopServices::setUrlHandler("http", this, "openUrl");
    // A double click opens the site once, as its first click does.
    QTest::mouseDClick(w.window.windowHandle(), Qt::LeftButton, {},
                       link->mapTo(&w.window, link->rect().center()));
    QTest::mouseClick(link, Qt::RightButton);
    QTest::mousePress(link, Qt::LeftButton);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-20, -20));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
    QCOMPARE(accessible->role(), QAccessible::Link);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("www.tallyvane.example"));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QDesktopServices::unsetUrlHandler("http");
    QCOMPARE(m_urls, QList<QUrl>(2, QUrl("http://www.tallyvane.example")));
    QCOMPARE(QAccessible::queryAccessibleInterface(&w.window)->role(), QAccessible::Window);
    QCOMPARE(QAccessible::queryAccessibleInterface(w.box("txtyields"))->text(QAccessible::Name),
             QStringLiteral("Yield (%)"));  // each box is named by its row's label
}

// Read, then closed by the default button, and closed anyway on every path, so that a box that
// shows late or not as expected fails the test instead of hanging it.
void WindowTest::realMessageBox() {
    tallyvane::MessageBoxWarnings warnings;
    std::tuple<QMessageBox::Icon, QString, QMessageBox::StandardButtons, bool, QString, qreal>
        shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QMessageBox* box = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            box = box ? box : qobject_cast<QMessageBox*>(w->isVisible() ? w : nullptr);
        if (!box)
            return;
        auto* icon = box->findChild<QLabel*>("qt_msgboxex_icon_label");
        shown = {box->icon(),
                 box->text() + box->windowTitle(),
                 box->standardButtons(),
                 box->defaultButton() == box->button(QMessageBox::Ok),
                 icon ? QAccessible::queryAccessibleInterface(icon)->text(QAccessible::Name) : "",
                 box->font().pointSizeF()};
        QTest::keyClick(box, Qt::Key_Return);
        box->reject();
    });
    poll.start(20);
    warnings.warn("Careful");  // returns once the box is closed
    QCOMPARE(shown, std::tuple(QMessageBox::Warning, QStringLiteral("CarefulWarning"),
                               QMessageBox::Ok | QMessageBox::Cancel, true,
                               QStringLiteral("Warning"), 8.25));
}

// At the top left behind the controls, from the sharper pixels at a device pixel ratio of 2
// (ctest runs this once more with QT_SCALE_FACTOR=2).
void WindowTest::banner() {
    Window w;
    const qreal ratio = w.window.devicePixelRatioF();
    QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    // Centred with its frame: at 2x on 512 x 384 logical pixels, or with the offscreen
    // platform's own 2-pixel frame on its 800 x 800 screen (198, 338).
    QCOMPARE(w.window.pos(), Placed(w.window, false).topLeft());
    const QImage shot = w.window.grab().toImage();
    const QImage banner(ratio > 1 ? SOURCE_DIR "/data/artwork/banner@2x.png"
                                  : SOURCE_DIR "/data/artwork/banner.png");
    QCOMPARE(QSizeF(banner.size()), QSizeF(146, 58) * ratio);
    for (const QPoint p : {QPoint(20, 20), QPoint(70, 23), QPoint(145, 57)})
        QCOMPARE(shot.pixelColor(p * ratio), banner.pixelColor(p * ratio));
    QCOMPARE(shot.pixelColor(QPoint(147, 30) * ratio), kGrey);
}

int main(int argc, char** argv) {
    QFile state(qEnvironmentVariable("TALLYVANE_STATE") + "/window-manager.state");
    if (state.open(QIODevice::ReadOnly))
        qputenv("DISPLAY", state.readLine().trimmed());
    QApplication app(argc, argv);
    tallyvane::ConfigureApplication();
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}
