#include <QFontInfo>
#include <QFontMetrics>
#include <QScreen>
#include <QTest>

#include "app/centring.h"
#include "app/toolkit.h"
#include "tests/app/window_fixture.h"

using tallyvane::testing::WindowFixture;

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void controlGeometry_data();
    void controlGeometry();
    void captionsFitTheirBoxes();
    void titleIconAndBanner();
    void centredOrigin_data();
    void centredOrigin();
    void startsCentredOnTheScreen();
    void negativePositionsAreKept();
};

void LayoutTest::controlGeometry_data() {
    QTest::addColumn<QRect>("geometry");  // pixels at 15 twips each
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QColor>("fore");  // invalid: the platform's default
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");

    const QColor grey(0xE0, 0xE0, 0xE0), yellow(0xFF, 0xFF, 0x00), navy(0x00, 0x00, 0x80);
    const QColor none;
    // clang-format off
    QTest::newRow("Label2")                << QRect(168, 16, 121, 25) << true  << grey   << none << 8.25 << false;
    QTest::newRow("txttotaldefects")       << QRect(304, 8, 73, 25)   << true  << yellow << none << 8.25 << false;
    QTest::newRow("lbltotalopportunities") << QRect(168, 48, 121, 25) << true  << grey   << none << 8.25 << false;
    QTest::newRow("txttotalopportunities") << QRect(304, 40, 73, 25)  << true  << yellow << none << 8.25 << false;
    QTest::newRow("LblLink")               << QRect(0, 64, 161, 17)   << true  << grey   << none << 8.25 << true;
    QTest::newRow("cmdcalculate")          << QRect(296, 80, 89, 33)  << true  << none   << none << 8.25 << false;
    QTest::newRow("lblDPMO")               << QRect(168, 144, 121, 33) << false << grey  << none << 8.25 << false;
    QTest::newRow("txtDPMO")               << QRect(304, 144, 73, 25) << false << grey   << none << 8.25 << false;
    QTest::newRow("lbldefectspercent")     << QRect(168, 184, 121, 25) << false << grey  << none << 8.25 << false;
    QTest::newRow("txtdefectspercent")     << QRect(304, 184, 73, 25) << false << grey   << none << 8.25 << false;
    QTest::newRow("lblyield")              << QRect(168, 224, 121, 25) << false << grey  << none << 8.25 << false;
    QTest::newRow("txtyields")             << QRect(304, 224, 73, 25) << false << grey   << none << 8.25 << false;
    QTest::newRow("lblprocesssigma")       << QRect(168, 264, 121, 33) << false << grey  << none << 8.25 << false;
    QTest::newRow("txtprocesssigma")       << QRect(304, 264, 73, 25) << false << navy   << QColor(Qt::white) << 9.75 << true;
    QTest::newRow("cmdPrint")              << QRect(296, 304, 89, 17) << true  << none   << none << 8.25 << false;
    // clang-format on
}

void LayoutTest::controlGeometry() {
    QFETCH(QRect, geometry);
    QFETCH(bool, visible);
    QFETCH(QColor, back);
    QFETCH(QColor, fore);
    QFETCH(qreal, points);
    QFETCH(bool, bold);

    WindowFixture f;
    QWidget* w = f.control(QTest::currentDataTag());
    QVERIFY(w);
    QCOMPARE(w->geometry(), geometry);
    QCOMPARE(w->isVisible(), visible);
    QCOMPARE(w->font().pointSizeF(), points);
    QCOMPARE(w->font().bold(), bold);
    QCOMPARE(QFontInfo(w->font()).family(), QStringLiteral("Liberation Sans"));
    const bool isBox = qobject_cast<QLineEdit*>(w) != nullptr;
    if (back.isValid()) {
        QCOMPARE(w->palette().color(isBox ? QPalette::Base : QPalette::Window), back);
    }
    if (fore.isValid()) {
        QCOMPARE(w->palette().color(isBox ? QPalette::Text : QPalette::WindowText), fore);
    }
}

void LayoutTest::captionsFitTheirBoxes() {
    WindowFixture f;
    for (QLabel* label : f.window().findChildren<QLabel*>()) {
        const QFontMetrics metrics(label->font());
        const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 1000),
                                                  Qt::TextWordWrap, label->text());
        QVERIFY2(needed.width() <= label->width(), qPrintable(label->objectName()));
        QVERIFY2(needed.height() <= label->height(), qPrintable(label->objectName()));
        const int lines = (needed.height() + metrics.leading()) / metrics.lineSpacing();
        QCOMPARE(lines, label->objectName() == QLatin1String("lblDPMO") ? 2 : 1);
    }
    for (QPushButton* button : f.window().findChildren<QPushButton*>()) {
        QVERIFY(QFontMetrics(button->font()).horizontalAdvance(button->text()) < button->width());
    }
}

void LayoutTest::titleIconAndBanner() {
    WindowFixture f;
    QCOMPARE(f.window().windowTitle(), QStringLiteral("Tallyvane-www.tallyvane.example"));
    QCOMPARE(f.control<QLabel>("LblLink")->text(), QStringLiteral("www.tallyvane.example"));
    // The window icon is the 32-pixel desktop icon, pixel for pixel.
    const QImage icon = f.window().windowIcon().pixmap(32, 32).toImage();
    const QImage desktopIcon(QStringLiteral(SOURCE_DIR "/data/icons/tallyvane-32.png"));
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon.pixelColor(16, 16), desktopIcon.pixelColor(16, 16));
    QCOMPARE(icon.pixelColor(4, 28), desktopIcon.pixelColor(4, 28));
    QCOMPARE(f.window().size(), QSize(400, 120));
    // The banner is painted at the top left, behind the controls.
    const QImage shot = f.window().grab().toImage();
    const QImage banner(QStringLiteral(SOURCE_DIR "/data/artwork/banner.png"));
    QCOMPARE(banner.size(), QSize(146, 58));
    QCOMPARE(shot.pixelColor(10, 50), banner.pixelColor(10, 50));
    QCOMPARE(shot.pixelColor(145, 57), banner.pixelColor(145, 57));
    QCOMPARE(shot.pixelColor(147, 30), QColor(0xE0, 0xE0, 0xE0));
}

// clang-format off
void LayoutTest::centredOrigin_data() {
    QTest::addColumn<float>("screenW");
    QTest::addColumn<float>("screenH");
    QTest::addColumn<float>("windowW");
    QTest::addColumn<float>("windowH");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::newRow("1024x768") << 15360.f << 11520.f << 6120.f << 2205.f << 4620.f << 4657.5f;
    QTest::newRow("bare client") << 15360.f << 11520.f << 6000.f << 1800.f << 4680.f << 4860.f;
    QTest::newRow("narrow screen") << 4500.f << 11520.f << 6000.f << 1800.f << -750.f << 4860.f;
    QTest::newRow("short screen") << 15360.f << 1500.f << 6000.f << 1801.f << 4680.f << -150.5f;
}
// clang-format on

void LayoutTest::centredOrigin() {
    QFETCH(float, screenW);
    QFETCH(float, screenH);
    QFETCH(float, windowW);
    QFETCH(float, windowH);
    QFETCH(float, left);
    QFETCH(float, top);
    const tallyvane::WindowOrigin origin =
        tallyvane::CentredOrigin(screenW, screenH, windowW, windowH);
    QCOMPARE(origin.left, left);
    QCOMPARE(origin.top, top);
}

void LayoutTest::startsCentredOnTheScreen() {
    // The test runs on a 1024 x 768 screen, where the offscreen platform draws a frame of
    // 2 pixels: the outer size is 6060 x 1860 twips.
    WindowFixture f;
    QCOMPARE(f.window().screen()->geometry().size(), QSize(1024, 768));
    QCOMPARE(f.window().frameGeometry(), QRect(310, 322, 404, 124));
}

void LayoutTest::negativePositionsAreKept() {
    WindowFixture f;
    tallyvane::toolkit::SetWindowLeft(f.window(), -750.f);
    tallyvane::toolkit::SetWindowTop(f.window(), -157.5f);
    QCOMPARE(f.window().frameGeometry().topLeft(), QPoint(-50, -11));
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
