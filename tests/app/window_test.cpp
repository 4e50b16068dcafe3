#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "app/message_box_warnings.h"
#include "calc/warning_texts.h"
#include "tests/app/window_fixture.h"

using tallyvane::testing::Window;

namespace {

const QStringList kWorked{"4666.66666666667", "0.47%", "99.53%", "4.10"};
const QStringList kEmpty{"", "", "", ""};
const QSize kCompactOuter(404, 124);  // 400 x 120 and the offscreen platform's 2-pixel frame
const QSize kResultsOuter(408, 373);  // 6120 x 5600 twips
const char* const kResultControls[] = {"lblDPMO",           "txtDPMO",        "lbldefectspercent",
                                       "txtdefectspercent", "lblyield",       "txtyields",
                                       "lblprocesssigma",   "txtprocesssigma"};

QString Text(std::string_view text) {
    return QString::fromUtf8(text);
}

QStringList TabCycle(int presses) {
    QStringList names{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << QApplication::focusWidget()->objectName();
    }
    return names;
}

// Moves the pointer onto a point of the window, from a little beside it.
void HoverAt(Window& w, QPoint pos) {
    QTest::mouseMove(&w.window, pos + QPoint(pos.x() > 5 ? -3 : 3, 1));
    QTest::mouseMove(&w.window, pos);
}

class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void startsCompactAndCentred();
    void calculate_data();
    void calculate();
    void recalculationRestoresTheSize();
    void keyFilter_data();
    void keyFilter();
    void keyboardRoad();
    void linkHover_data();
    void linkHover();
    void linkClickOpensTheSiteOnce();
    void realMessageBox();
    void readableInADarkTheme();
    void screenReaders();
    void banner();
};

void WindowTest::controls_data() {
    QTest::addColumn<QRect>("geometry");  // pixels at 15 twips each
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QColor>("back");  // invalid: the platform's
    QTest::addColumn<QColor>("fore");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    const QColor grey(0xE0, 0xE0, 0xE0), yellow(Qt::yellow), navy(0, 0, 0x80), none;
    const QColor black(Qt::black), white(Qt::white);
    // clang-format off
    QTest::newRow("Label2")                << QRect(168, 16, 121, 25)  << true  << grey   << black << 8.25 << false;
    QTest::newRow("txttotaldefects")       << QRect(304, 8, 73, 25)    << true  << yellow << black << 8.25 << false;
    QTest::newRow("lbltotalopportunities") << QRect(168, 48, 121, 25)  << true  << grey   << black << 8.25 << false;
    QTest::newRow("txttotalopportunities") << QRect(304, 40, 73, 25)   << true  << yellow << black << 8.25 << false;
    QTest::newRow("LblLink")               << QRect(0, 64, 161, 17)    << true  << grey   << black << 8.25 << true;
    QTest::newRow("cmdcalculate")          << QRect(296, 80, 89, 33)   << true  << none   << none  << 8.25 << false;
    QTest::newRow("lblDPMO")               << QRect(168, 144, 121, 33) << false << grey   << black << 8.25 << false;
    QTest::newRow("txtDPMO")               << QRect(304, 144, 73, 25)  << false << grey   << black << 8.25 << false;
    QTest::newRow("lbldefectspercent")     << QRect(168, 184, 121, 25) << false << grey   << black << 8.25 << false;
    QTest::newRow("txtdefectspercent")     << QRect(304, 184, 73, 25)  << false << grey   << black << 8.25 << false;
    QTest::newRow("lblyield")              << QRect(168, 224, 121, 25) << false << grey   << black << 8.25 << false;
    QTest::newRow("txtyields")             << QRect(304, 224, 73, 25)  << false << grey   << black << 8.25 << false;
    QTest::newRow("lblprocesssigma")       << QRect(168, 264, 121, 33) << false << grey   << black << 8.25 << false;
    QTest::newRow("txtprocesssigma")       << QRect(304, 264, 73, 25)  << false << navy   << white << 9.75 << true;
    QTest::newRow("cmdPrint")              << QRect(296, 304, 89, 17)  << true  << none   << none  << 8.25 << false;
    // clang-format on
}

void WindowTest::controls() {
    QFETCH(QRect, geometry);
    QFETCH(bool, visible);
    QFETCH(QColor, back);
    QFETCH(QColor, fore);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    Window w;
    QWidget* c = w.control(QTest::currentDataTag());
    QCOMPARE(c->geometry(), geometry);
    QCOMPARE(c->isVisible(), visible);
    QCOMPARE(c->font().pointSizeF(), points);
    QCOMPARE(c->font().bold(), bold);
    QCOMPARE(QFontInfo(c->font()).family(), QStringLiteral("Liberation Sans"));
    const bool isBox = qobject_cast<QLineEdit*>(c);
    if (back.isValid()) {
        QCOMPARE(c->palette().color(isBox ? QPalette::Base : QPalette::Window), back);
        QCOMPARE(c->palette().color(isBox ? QPalette::Text : QPalette::WindowText), fore);
        QVERIFY(isBox || c->autoFillBackground());  // labels are opaque
    }
}

void WindowTest::startsCompactAndCentred() {
    Window w;
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tallyvane-www.tallyvane.example"));
    QCOMPARE(w.window.screen()->geometry().size(), QSize(1024, 768));
    QCOMPARE(w.window.frameGeometry(), QRect(QPoint(310, 322), kCompactOuter));
    // The whole hicolor set, pixel for pixel.
    for (int size : {32, 48, 64, 128, 256}) {
        const QImage icon = w.window.windowIcon().pixmap(size, size).toImage();
        const QImage desktopIcon(
            QStringLiteral(SOURCE_DIR "/data/icons/tallyvane-%1.png").arg(size));
        QCOMPARE(icon.pixelColor(size / 2, size / 2), desktopIcon.pixelColor(size / 2, size / 2));
        QCOMPARE(icon.pixelColor(size / 8, size * 7 / 8),
                 desktopIcon.pixelColor(size / 8, size * 7 / 8));
    }
}

void WindowTest::calculate_data() {
    QTest::addColumn<bool>("workedFirst");  // calculate 7 in 1500 before
    QTest::addColumn<QString>("defects");
    QTest::addColumn<QString>("opportunities");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QString>("sigmaNote");  // the sigma box's tooltip and description
    const QString interval = "95% confidence interval: 3.84 to 4.40";
    const QString bound =
        "No defects were observed: this is the 95% lower confidence bound of "
        "the sigma level.";
    const QStringList zeroDefects{"0", "0.00%", "100.00%", "\u2265 4.38"};
    const QString bigger = Text(tallyvane::warning::kDefectsExceed);
    const QString invalid = Text(tallyvane::warning::kInvalidCounts);
    const QString zeros(1 << 20, '0');
    // clang-format off
    QTest::newRow("both empty")      << false << "" << "" << Text(tallyvane::warning::kBothMissing) << kEmpty << "";
    QTest::newRow("equal")           << false << "5" << "5" << Text(tallyvane::warning::kSigmaZero) << kEmpty << "";
    QTest::newRow("worked example")  << false << "7" << "1500" << "" << kWorked << interval;
    QTest::newRow("warning keeps")   << true << "10" << "5" << bigger << kWorked << interval;
    QTest::newRow("zero defects")    << true << "0" << "1500" << "" << zeroDefects << bound;
    QTest::newRow("fractional")      << true << "3.4" << "1000000" << "" << QStringList{"3.4", "0.00%", "100.00%", "6.00"} << "";
    QTest::newRow("two points")      << true << "1.2.3" << "10" << invalid << kEmpty << "";
    QTest::newRow("negative")        << true << "-5" << "10" << Text(tallyvane::warning::kNegativeCounts) << kEmpty << "";
    QTest::newRow("1 MB of digits")  << false << "7" << QString(1 << 20, '9') << invalid << kEmpty << "";
    QTest::newRow("1 MB of zeros")   << false << zeros + "7" << zeros + "1500" << "" << kWorked << interval;
    // clang-format on
}

void WindowTest::calculate() {
    QFETCH(bool, workedFirst);
    QFETCH(QString, defects);
    QFETCH(QString, opportunities);
    QFETCH(QString, warning);
    QFETCH(QStringList, results);
    QFETCH(QString, sigmaNote);
    Window w;
    const QPoint corner = w.window.frameGeometry().topLeft();
    if (workedFirst)
        w.calculate("7", "1500");
    w.calculate(defects, opportunities);
    QCOMPARE(w.warnings.texts, warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(w.results(), results);
    // Only a warning from the checks leaves a compact window compact.
    const bool grown = workedFirst || results != kEmpty ||
                       warning == Text(tallyvane::warning::kInvalidCounts) ||
                       warning == Text(tallyvane::warning::kNegativeCounts);
    QCOMPARE(w.window.frameGeometry(), QRect(corner, grown ? kResultsOuter : kCompactOuter));
    for (const char* name : kResultControls)
        QCOMPARE(w.control(name)->isVisible(), grown);
    QCOMPARE(w.box("txttotaldefects")->text(), defects);
    QCOMPARE(w.box("txtprocesssigma")->toolTip(), sigmaNote);
    QCOMPARE(w.box("txtprocesssigma")->accessibleDescription(), sigmaNote);
}

void WindowTest::recalculationRestoresTheSize() {
    Window w;
    w.calculate("7", "1500");
    const QPoint corner = w.window.frameGeometry().topLeft();
    w.window.resize(600, 500);
    w.calculate("1", "3");
    QCOMPARE(w.window.frameGeometry(), QRect(corner, kResultsOuter));
    QCOMPARE(w.results(), QStringList({"333333.333333333", "33.33%", "66.67%", "1.93"}));
}

void WindowTest::keyFilter_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");  // typed after "12"
    for (const QString box : {"txttotaldefects", "txttotalopportunities"}) {
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::newRow(qPrintable(box + ": " + name)) << box;
        };
        row("digit") << int(Qt::Key_5) << 0 << "5"
                     << "125";
        row("point") << int(Qt::Key_Period) << 0 << "."
                     << "12.";
        row("minus") << int(Qt::Key_Minus) << 0 << "-"
                     << "12";
        row("backspace") << int(Qt::Key_Backspace) << 0 << "\b"
                         << "1";
        row("delete") << int(Qt::Key_Delete) << 0 << "\x7f"
                      << "12";  // at the end: nothing
        row("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16"
                      << "12";
    }
}

void WindowTest::keyFilter() {
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, result);
    Window w;
    QLineEdit* edit = w.box(box);
    edit->setFocus();
    QTest::keyClicks(edit, "12");
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(edit->text(), result);
}

// Typing, Enter from box to box and onto Calculate, and the Tab order before and after.
void WindowTest::keyboardRoad() {
    Window w;
    QCOMPARE(TabCycle(4), QStringList({"txttotaldefects", "txttotalopportunities", "cmdcalculate",
                                       "cmdPrint", "txttotaldefects"}));
    QTest::keyClicks(QApplication::focusWidget(), "7");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), "1500");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdcalculate"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w.results(), kWorked);
    w.box("txttotaldefects")->setFocus();
    QCOMPARE(TabCycle(8), QStringList({"txttotaldefects", "txttotalopportunities", "txtDPMO",
                                       "cmdcalculate", "txtyields", "txtprocesssigma",
                                       "txtdefectspercent", "cmdPrint", "txttotaldefects"}));
}

void WindowTest::linkHover_data() {
    QTest::addColumn<QStringList>("path");  // "bare", "banner" or a control's name
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("color");
    const QColor blue(Qt::blue), black(Qt::black);
    // clang-format off
    QTest::newRow("start")              << QStringList{}                      << true  << false << black;
    QTest::newRow("bare")               << QStringList{"bare"}                << false << false << black;
    QTest::newRow("onto the link")      << QStringList{"bare", "LblLink"}     << true  << true  << blue;
    QTest::newRow("link, then banner")  << QStringList{"LblLink", "banner"}   << false << false << black;
    QTest::newRow("link, then a box")   << QStringList{"LblLink", "txttotaldefects"} << true << true << blue;
    // clang-format on
}

void WindowTest::linkHover() {
    QFETCH(QStringList, path);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    QFETCH(QColor, color);
    Window w;
    for (const QString& step : path) {
        HoverAt(w, step == "bare"     ? QPoint(100, 105)
                   : step == "banner" ? QPoint(70, 30)
                                      : w.control(step)->geometry().center());
    }
    const QLabel* link = w.control<QLabel>("LblLink");
    QCOMPARE(link->font().bold(), bold);
    QCOMPARE(link->font().underline(), underline);
    QCOMPARE(link->palette().color(QPalette::WindowText), color);
    QCOMPARE(link->cursor().shape(), Qt::WhatsThisCursor);
}

void WindowTest::linkClickOpensTheSiteOnce() {
    Window w;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    QLabel* link = w.control<QLabel>("LblLink");
    QTest::mouseClick(link, Qt::LeftButton);
    // A right click or a press that ends elsewhere is no click.
    QTest::mouseClick(link, Qt::RightButton);
    QTest::mousePress(link, Qt::LeftButton);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-20, -20));
    QDesktopServices::unsetUrlHandler("http");
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl("http://www.tallyvane.example")});
    QCOMPARE(link->focusPolicy(), Qt::NoFocus);
}

void WindowTest::realMessageBox() {
    tallyvane::MessageBoxWarnings warnings;
    QMessageBox* seen = nullptr;
    QTimer::singleShot(50, [&] {
        seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(seen);
        QCOMPARE(seen->text(), QStringLiteral("Careful"));
        QCOMPARE(seen->windowTitle(), QStringLiteral("Warning"));
        QCOMPARE(seen->icon(), QMessageBox::Warning);
        QCOMPARE(seen->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        QVERIFY(seen->defaultButton() == qobject_cast<QPushButton*>(seen->button(QMessageBox::Ok)));
        auto* icon = seen->findChild<QLabel*>("qt_msgboxex_icon_label");
        QCOMPARE(QAccessible::queryAccessibleInterface(icon)->text(QAccessible::Name), "Warning");
        QTest::keyClick(seen, Qt::Key_Return);  // the default button
    });
    warnings.warn("Careful");  // returns once the box is closed
    QVERIFY(seen);
}

// Every text on a fixed background reads at WCAG AA contrast from its rendered pixels, under
// a dark palette that would put light text everywhere.
void WindowTest::readableInADarkTheme() {
    const QPalette original = QApplication::palette();
    QPalette dark(QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    QApplication::setPalette(dark);
    Window w;
    w.calculate("7", "1500");
    QApplication::setPalette(original);
    const auto luminance = [](QColor c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF()) + 0.05;
    };
    for (QWidget* c : w.window.findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(c) && !qobject_cast<QLineEdit*>(c))
            continue;
        // Inside the frame: the most common colour is the background, the text the farthest.
        const QImage image = c->grab(c->rect().adjusted(3, 3, -3, -3)).toImage();
        QHash<QRgb, int> counts;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ++counts[image.pixel(x, y)];
        const double back = luminance(QColor(std::max_element(counts.begin(), counts.end()).key()));
        double contrast = 1;
        for (auto it = counts.begin(); it != counts.end(); ++it) {
            const double text = luminance(QColor(it.key()));
            contrast = std::max(contrast, std::max(text, back) / std::min(text, back));
        }
        QVERIFY2(contrast >= 4.5, qPrintable(c->objectName()));
    }
}

void WindowTest::screenReaders() {
    Window w;
    QCOMPARE(QAccessible::queryAccessibleInterface(&w.window)->role(), QAccessible::Window);
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(w.control("LblLink"));
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), QStringLiteral("www.tallyvane.example"));
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QDesktopServices::unsetUrlHandler("http");
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl("http://www.tallyvane.example")});
}

// Painted at the top left behind the controls, from the sharper pixels at a device pixel
// ratio of 2 (ctest runs this once more with QT_SCALE_FACTOR=2).
void WindowTest::banner() {
    Window w;
    const qreal ratio = w.window.devicePixelRatioF();
    const QImage shot = w.window.grab().toImage();
    const QImage banner(ratio > 1 ? SOURCE_DIR "/data/artwork/banner@2x.png"
                                  : SOURCE_DIR "/data/artwork/banner.png");
    QCOMPARE(QSizeF(banner.size()), QSizeF(146, 58) * ratio);
    for (const QPoint p : {QPoint(20, 20), QPoint(70, 23), QPoint(145, 57)})
        QCOMPARE(shot.pixelColor(p * ratio), banner.pixelColor(p * ratio));
    QCOMPARE(shot.pixelColor(QPoint(147, 30) * ratio), QColor(0xE0, 0xE0, 0xE0));
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
