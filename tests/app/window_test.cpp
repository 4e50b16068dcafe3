// Drives the real window under Xvfb with the openbox window manager, whose default theme draws
// 1-pixel sides, a 20-pixel title bar and a 5-pixel bottom edge.
#include <xcb/xcb.h>
#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "app/message_box_warnings.h"
#include "calc/warning_texts.h"
#include "tests/app/window_fixture.h"

using tallyvane::testing::Window;

namespace {

const QStringList kWorked{"4666.66666666667", "0.47%", "99.53%", "4.10"};
const QRect kCompact(311, 312, 402, 145);  // 400 x 120 inside, centred on 1024 x 768
const QRect kGrown(311, 312, 408, 373);    // 6120 x 5600 twips, the corner kept

QString Text(std::string_view text) {
    return QString::fromUtf8(text);
}

// The outer window as the X server has it: the window manager's frame around the client.
QRect FrameOnScreen(const QWidget& window) {
    xcb_connection_t* x =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    auto* tree = xcb_query_tree_reply(x, xcb_query_tree(x, window.winId()), nullptr);
    auto* frame = xcb_get_geometry_reply(x, xcb_get_geometry(x, tree->parent), nullptr);
    const QRect outer(frame->x, frame->y, frame->width, frame->height);
    std::free(tree);
    std::free(frame);
    return outer;
}

QStringList TabCycle(int presses) {
    QStringList names{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << QApplication::focusWidget()->objectName();
    }
    return names;
}

class UrlCatcher : public QObject {
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler("http", this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler("http"); }
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void controls();
    void startsCompactAndCentred();
    void calculate_data();
    void calculate();
    void keyboard();
    void linkHover();
    void linkOpensTheSite();
    void realMessageBox();
    void readableInADarkTheme();
    void banner();
};

// Geometry in pixels at 15 twips each; a fixed background with black text (white on navy),
// or the platform's colours for the buttons; the font.
void WindowTest::controls() {
    const QColor grey(0xE0, 0xE0, 0xE0), yellow(Qt::yellow), navy(0, 0, 0x80), none;
    const struct {
        const char* name;
        QRect geometry;
        bool visible;
        QColor back;
        qreal points;
        bool bold;
    } rows[] = {
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
    Window w;
    for (const auto& row : rows) {
        QWidget* c = w.control(row.name);
        const bool isBox = qobject_cast<QLineEdit*>(c);
        QVERIFY2(c->geometry() == row.geometry && c->isVisible() == row.visible, row.name);
        QVERIFY2(c->font().pointSizeF() == row.points && c->font().bold() == row.bold, row.name);
        QCOMPARE(QFontInfo(c->font()).family(), QStringLiteral("Liberation Sans"));
        const QPalette::ColorRole back = isBox ? QPalette::Base : QPalette::Window;
        const QPalette::ColorRole text = isBox ? QPalette::Text : QPalette::WindowText;
        QVERIFY2(!row.back.isValid() ||
                     (c->palette().color(back) == row.back &&
                      c->palette().color(text) == (row.back == navy ? Qt::white : Qt::black) &&
                      (isBox || c->autoFillBackground())),  // opaque labels
                 row.name);
    }
}

void WindowTest::startsCompactAndCentred() {
    Window w;
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tallyvane-www.tallyvane.example"));
    QCOMPARE(FrameOnScreen(w.window), kCompact);
    // The whole hicolor set, pixel for pixel.
    for (int size : {32, 48, 64, 128, 256}) {
        const QImage icon = w.window.windowIcon().pixmap(size).toImage();
        const QImage file(QStringLiteral(SOURCE_DIR "/data/icons/tallyvane-%1.png").arg(size));
        QCOMPARE(icon.pixelColor(size / 2, size / 2), file.pixelColor(size / 2, size / 2));
        QCOMPARE(icon.pixelColor(size / 8, size * 7 / 8), file.pixelColor(size / 8, size * 7 / 8));
    }
}

void WindowTest::calculate_data() {
    QTest::addColumn<QString>("before");  // "worked", "resized" after it, or "at once" after show
    QTest::addColumn<QString>("defects");
    QTest::addColumn<QString>("opportunities");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QString>("sigmaNote");  // the sigma box's tooltip and description
    QTest::addColumn<QRect>("frame");
    const QString interval = "95% confidence interval: 3.84 to 4.40";
    const QString bound =
        "No defects were observed: this is the 95% lower confidence bound of "
        "the sigma level.";
    const QString invalid = Text(tallyvane::warning::kInvalidCounts);
    const QStringList none{"", "", "", ""};
    const QString zeros(1 << 20, '0');
    // clang-format off
    QTest::newRow("both empty")     << "" << "" << "" << Text(tallyvane::warning::kBothMissing) << none << "" << kCompact;
    QTest::newRow("exponent")       << "" << "1e5" << "1e6" << invalid << none << "" << kCompact;
    QTest::newRow("worked example") << "at once" << "7" << "1500" << "" << kWorked << interval << kGrown;
    QTest::newRow("warning keeps")  << "worked" << "10" << "5" << Text(tallyvane::warning::kDefectsExceed) << kWorked << interval << kGrown;
    QTest::newRow("after a resize") << "resized" << "1" << "3" << "" << QStringList{"333333.333333333", "33.33%", "66.67%", "1.93"} << "95% confidence interval: 0.19 to 3.89" << kGrown;
    QTest::newRow("zero defects")   << "worked" << "0" << "1500" << "" << QStringList{"0", "0.00%", "100.00%", "\u2265 4.38"} << bound << kGrown;
    QTest::newRow("fractional")     << "worked" << "3.4" << "1000000" << "" << QStringList{"3.4", "0.00%", "100.00%", "6.00"} << "" << kGrown;
    QTest::newRow("two points")     << "worked" << "1.2.3" << "10" << invalid << none << "" << kGrown;
    QTest::newRow("negative")       << "worked" << "-5" << "10" << Text(tallyvane::warning::kNegativeCounts) << none << "" << kGrown;
    QTest::newRow("1 MB of digits") << "" << "7" << QString(1 << 20, '9') << invalid << none << "" << kGrown;
    QTest::newRow("1 MB of zeros")  << "" << zeros + "7" << zeros + "1500" << "" << kWorked << interval << kGrown;
    // clang-format on
}

void WindowTest::calculate() {
    QFETCH(QString, before);
    QFETCH(QString, defects);
    QFETCH(QString, opportunities);
    QFETCH(QString, warning);
    QFETCH(QStringList, results);
    QFETCH(QString, sigmaNote);
    QFETCH(QRect, frame);
    Window w(before != "at once");
    if (before == "worked" || before == "resized")
        w.calculate("7", "1500");
    if (before == "resized")
        w.window.resize(600, 500);
    w.calculate(defects, opportunities);
    QCOMPARE(w.warnings.texts, warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(w.results(), results);
    QCOMPARE(w.box("txtprocesssigma")->toolTip(), sigmaNote);
    QCOMPARE(w.box("txtprocesssigma")->accessibleDescription(), sigmaNote);
    QTRY_COMPARE(FrameOnScreen(w.window), frame);
    for (QLabel* label : {w.control<QLabel>("lblDPMO"), w.control<QLabel>("lbldefectspercent"),
                          w.control<QLabel>("lblyield"), w.control<QLabel>("lblprocesssigma")}) {
        QCOMPARE(label->isVisible(), frame == kGrown);
        QCOMPARE(label->buddy()->isVisible(), frame == kGrown);
    }
}

// Typing in both boxes, Enter from box to box and onto Calculate, the Tab order before and
// after the results show.
void WindowTest::keyboard() {
    Window w;
    QCOMPARE(TabCycle(4), QStringList({"txttotaldefects", "txttotalopportunities", "cmdcalculate",
                                       "cmdPrint", "txttotaldefects"}));
    for (const auto& [name, next] : {std::pair("txttotaldefects", "txttotalopportunities"),
                                     std::pair("txttotalopportunities", "cmdcalculate")}) {
        QLineEdit* box = w.box(name);
        QTest::keyClicks(box, "17-a .5");
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);  // pasting by keyboard: nothing
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), QStringLiteral("7."));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString(next));
    }
    w.box("txttotalopportunities")->setText("1500");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(w.results(), kWorked);
    w.box("txttotaldefects")->setFocus();
    QCOMPARE(TabCycle(8), QStringList({"txttotaldefects", "txttotalopportunities", "txtDPMO",
                                       "cmdcalculate", "txtyields", "txtprocesssigma",
                                       "txtdefectspercent", "cmdPrint", "txttotaldefects"}));
}

// Over the link it is bold, underlined and blue; over the bare surface or the banner, plain;
// moving onto another control leaves it as it was.
void WindowTest::linkHover() {
    const struct {
        QStringList path;  // "bare", "banner" or a control's name
        bool bold, underline;
        QColor color;
    } rows[] = {
        {{}, true, false, Qt::black},
        {{"bare"}, false, false, Qt::black},
        {{"bare", "LblLink"}, true, true, Qt::blue},
        {{"LblLink", "banner"}, false, false, Qt::black},
        {{"LblLink", "txttotaldefects"}, true, true, Qt::blue},
    };
    for (const auto& row : rows) {
        Window w;
        for (const QString& step : row.path) {
            const QPoint at = step == "bare"     ? QPoint(100, 105)
                              : step == "banner" ? QPoint(70, 30)
                                                 : w.control(step)->geometry().center();
            QTest::mouseMove(&w.window, at + QPoint(3, 1));  // from beside it, so that it moves
            QTest::mouseMove(&w.window, at);
        }
        const QLabel* link = w.control<QLabel>("LblLink");
        QVERIFY2(link->font().bold() == row.bold && link->font().underline() == row.underline &&
                     link->palette().color(QPalette::WindowText) == row.color &&
                     link->cursor().shape() == Qt::WhatsThisCursor,
                 qPrintable(row.path.join(", ")));
    }
}

// By a left click on it, or by a screen reader's press action; a right click or a press that
// ends elsewhere is no click. The link never takes the focus.
void WindowTest::linkOpensTheSite() {
    Window w;
    UrlCatcher catcher;
    QLabel* link = w.control<QLabel>("LblLink");
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::mouseClick(link, Qt::RightButton);
    QTest::mousePress(link, Qt::LeftButton);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-20, -20));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
    QCOMPARE(accessible->role(), QAccessible::Link);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("www.tallyvane.example"));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(catcher.urls, QList<QUrl>(2, QUrl("http://www.tallyvane.example")));
    QCOMPARE(link->focusPolicy(), Qt::NoFocus);
    QCOMPARE(QAccessible::queryAccessibleInterface(&w.window)->role(), QAccessible::Window);
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
        QVERIFY(seen->defaultButton() == seen->button(QMessageBox::Ok));
        auto* icon = seen->findChild<QLabel*>("qt_msgboxex_icon_label");
        QCOMPARE(QAccessible::queryAccessibleInterface(icon)->text(QAccessible::Name), "Warning");
        QTest::keyClick(seen, Qt::Key_Return);  // the default button
    });
    warnings.warn("Careful");  // returns once the box is closed
    QVERIFY(seen);
}

// Every text on a fixed background reads at WCAG AA contrast, from the rendered pixels, under
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
    const auto luminance = [](QRgb rgb) {
        double sum = 0.05;
        for (const auto& [value, weight] :
             {std::pair(qRed(rgb), 0.2126), std::pair(qGreen(rgb), 0.7152),
              std::pair(qBlue(rgb), 0.0722)}) {
            const double v = value / 255.0;
            sum += weight * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    for (QWidget* c : w.window.findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(c) && !qobject_cast<QLineEdit*>(c))
            continue;
        // Inside the frame the most common colour is the background; the text is farthest.
        const QImage image = c->grab(c->rect().adjusted(3, 3, -3, -3)).toImage();
        QHash<QRgb, int> counts;
        for (int i = 0; i < image.width() * image.height(); ++i)
            ++counts[image.pixel(i % image.width(), i / image.width())];
        const double back = luminance(std::max_element(counts.begin(), counts.end()).key());
        double contrast = 1;
        for (auto it = counts.begin(); it != counts.end(); ++it)
            contrast = std::max({contrast, luminance(it.key()) / back, back / luminance(it.key())});
        QVERIFY2(contrast >= 4.5, qPrintable(c->objectName()));
    }
}

// At the top left behind the controls, from the sharper pixels at a device pixel ratio of 2
// (ctest runs this once more with QT_SCALE_FACTOR=2).
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

int main(int argc, char** argv) {
    QFile state(qEnvironmentVariable("TALLYVANE_STATE") + "/window-manager.state");
    if (state.open(QIODevice::ReadOnly))
        qputenv("DISPLAY", state.readLine().trimmed());
    QApplication app(argc, argv);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
