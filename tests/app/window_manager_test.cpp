// Under Xvfb with the openbox window manager, which draws a frame of its own and reports it
// only once it manages the window.
#include <xcb/xcb.h>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "app/main_window.h"
#include "app/warnings.h"

namespace {

class IgnoredWarnings : public tallyvane::Warnings {
public:
    void warn(const QString&) override {}
};

// The outer window as the X server has it: the window manager's frame around the client.
QRect FrameOnScreen(const QWidget& window) {
    xcb_connection_t* x =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(x, xcb_query_tree(x, window.winId()), nullptr);
    xcb_get_geometry_reply_t* frame =
        xcb_get_geometry_reply(x, xcb_get_geometry(x, tree->parent), nullptr);
    const QRect outer(frame->x, frame->y, frame->width, frame->height);
    std::free(tree);
    std::free(frame);
    return outer;
}

}  // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

private slots:
    void outerWindow_data() {
        QTest::addColumn<bool>("calculate");
        QTest::addColumn<QSize>("size");
        QTest::newRow("compact, centred") << false << QSize(400, 120);
        QTest::newRow("Calculate at once after show") << true << QSize(408, 373);
    }

    // Centred with its frame before it shows; the first Calculate, before the window manager
    // has reported the frame to Qt, gives 6120 x 5600 twips outside with the corner kept.
    void outerWindow() {
        QFETCH(bool, calculate);
        QFETCH(QSize, size);
        IgnoredWarnings warnings;
        tallyvane::MainWindow window(warnings);
        window.show();
        window.findChild<QLineEdit*>("txttotaldefects")->setText("7");
        window.findChild<QLineEdit*>("txttotalopportunities")->setText("1500");
        if (calculate)
            window.findChild<QPushButton*>("cmdcalculate")->click();
        QTest::qWait(500);
        const QRect outer = FrameOnScreen(window);
        const QSize frame = outer.size() - window.size();
        QVERIFY(frame.height() > 0);  // openbox's frame is there to count
        if (!calculate)
            size += frame;
        QCOMPARE(outer.size(), size);
        // The corner of the compact outer window, centred on the 1024 x 768 screen.
        const QSize compact = QSize(400, 120) + frame;
        QCOMPARE(outer.topLeft(), QPoint(qRound((1024 - compact.width()) / 2.0),
                                         qRound((768 - compact.height()) / 2.0)));
    }
};

int main(int argc, char** argv) {
    QFile state(qEnvironmentVariable("TALLYVANE_X_STATE"));
    if (!state.open(QIODevice::ReadOnly))
        return 1;
    qputenv("DISPLAY", state.readAll().split(' ').value(0));
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    WindowManagerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_manager_test.moc"
