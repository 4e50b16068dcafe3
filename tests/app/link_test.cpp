#include <QDesktopServices>
#include <QTest>
#include <QUrl>

#include "tests/app/window_fixture.h"

using tallyvane::testing::WindowFixture;

namespace {

struct LinkLook {
    bool bold;
    bool underline;
    QColor color;
    int windowPointer;  // the window's pointer setting: 99 custom, 0 default

    bool operator==(const LinkLook&) const = default;
};

LinkLook LookOf(WindowFixture& f) {
    const QLabel* link = f.control<QLabel>("LblLink");
    return {link->font().bold(), link->font().underline(),
            link->palette().color(QPalette::WindowText),
            f.window().property("mousePointer").toInt()};
}

QColor DefaultLabelColor() {
    return QLabel().palette().color(QPalette::WindowText);
}

const LinkLook kHighlighted{true, true, QColor(0, 0, 255), 99};
const LinkLook kPlain{false, false, QColor(0, 0, 0), 0};

// Moves the pointer over a point of the window, first elsewhere so that the move is real.
void HoverAt(WindowFixture& f, QPoint pos) {
    QTest::mouseMove(&f.window(), pos + QPoint(pos.x() > 5 ? -3 : 3, 1));
    QTest::mouseMove(&f.window(), pos);
}

QPoint Centre(WindowFixture& f, const char* name) {
    return f.control(name)->geometry().center();
}

}  // namespace

class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

class LinkTest : public QObject {
    Q_OBJECT

private slots:
    void hover_data();
    void hover();
    void pointerShapes();
    void clickOpensTheSiteOnce();
    void cannotTakeTheFocus();
};

// clang-format off
void LinkTest::hover_data() {
    QTest::addColumn<QStringList>("path");  // "link", "bare", "banner" or a control's name
    QTest::addColumn<QString>("expected");  // "start", "highlighted" or "plain"
    QTest::newRow("start") << QStringList{} << "start";
    QTest::newRow("bare before the link") << QStringList{"bare"} << "plain";
    QTest::newRow("onto the link") << QStringList{"bare", "link"} << "highlighted";
    QTest::newRow("link, then bare") << QStringList{"link", "bare"} << "plain";
    QTest::newRow("link, then banner") << QStringList{"link", "banner"} << "plain";
    QTest::newRow("link, then a label") << QStringList{"link", "Label2"} << "highlighted";
    QTest::newRow("link, then a box") << QStringList{"link", "txttotaldefects"} << "highlighted";
    QTest::newRow("link, then Calculate") << QStringList{"link", "cmdcalculate"} << "highlighted";
    QTest::newRow("plain, then a box") << QStringList{"bare", "txttotaldefects"} << "plain";
    QTest::newRow("repeated moves") << QStringList{"link", "link", "bare", "bare"} << "plain";
}
// clang-format on

void LinkTest::hover() {
    QFETCH(QStringList, path);
    QFETCH(QString, expected);
    WindowFixture f;
    for (const QString& step : path) {
        if (step == "link") {
            HoverAt(f, Centre(f, "LblLink"));
        } else if (step == "bare") {
            HoverAt(f, QPoint(100, 105));
        } else if (step == "banner") {
            HoverAt(f, QPoint(70, 30));
        } else {
            HoverAt(f, Centre(f, qPrintable(step)));
        }
    }
    const LinkLook start{true, false, DefaultLabelColor(), 99};
    const LinkLook want = expected == "start"         ? start
                          : expected == "highlighted" ? kHighlighted
                                                      : kPlain;
    const LinkLook got = LookOf(f);
    QCOMPARE(got.bold, want.bold);
    QCOMPARE(got.underline, want.underline);
    QCOMPARE(got.color, want.color);
    QCOMPARE(got.windowPointer, want.windowPointer);
}

void LinkTest::pointerShapes() {
    WindowFixture f;
    QCOMPARE(f.control("LblLink")->cursor().shape(), Qt::WhatsThisCursor);
    QCOMPARE(f.window().cursor().shape(), Qt::ArrowCursor);
    HoverAt(f, QPoint(100, 105));
    QCOMPARE(f.control("LblLink")->cursor().shape(), Qt::WhatsThisCursor);
    HoverAt(f, Centre(f, "LblLink"));
    QCOMPARE(f.window().cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(f.control("LblLink")->cursor().shape(), Qt::WhatsThisCursor);
}

void LinkTest::clickOpensTheSiteOnce() {
    WindowFixture f;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    HoverAt(f, Centre(f, "LblLink"));
    const LinkLook before = LookOf(f);
    QTest::mouseClick(f.control("LblLink"), Qt::LeftButton);
    QCOMPARE(catcher.urls.size(), 1);
    QTest::mouseClick(f.control("LblLink"), Qt::LeftButton);
    QCOMPARE(catcher.urls.size(), 2);
    // A right click or a press that ends elsewhere is no click.
    QTest::mouseClick(f.control("LblLink"), Qt::RightButton);
    QTest::mousePress(f.control("LblLink"), Qt::LeftButton);
    QTest::mouseRelease(f.control("LblLink"), Qt::LeftButton, {}, QPoint(-20, -20));
    QCOMPARE(catcher.urls.size(), 2);
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("https");

    const QString site = f.window().windowTitle().section('-', 1);
    QCOMPARE(catcher.urls.at(0).host(), site);
    QCOMPARE(catcher.urls.at(0), catcher.urls.at(1));
    QVERIFY(LookOf(f) == before);
}

void LinkTest::cannotTakeTheFocus() {
    WindowFixture f;
    QCOMPARE(f.control("LblLink")->focusPolicy(), Qt::NoFocus);
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != f.control("LblLink"));
    }
}

QTEST_MAIN(LinkTest)
#include "link_test.moc"
