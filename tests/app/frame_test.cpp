// The frame request against a stand-in window manager on a bare X server of the test's own:
// one that answers, one that never does, ones that answer wrongly, one that offers no such
// request, and a connection that cannot be had. ctest runs it at device pixel ratios 1 and 2.
#include <poll.h>
#include <xcb/xcb.h>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QWindow>
#include <cstring>
#include <thread>
#include <vector>

#include "app/frame_extents.h"

namespace {

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
    const auto cookie = xcb_intern_atom(x, 0, std::strlen(name), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(x, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// A window manager that offers frame requests or not, and answers each with the given values
// of the given width, or not at all.
class StandIn {
public:
    StandIn(bool offers, std::vector<std::uint32_t> answer, std::uint8_t format)
        : m_x(xcb_connect(nullptr, nullptr)), m_answer(std::move(answer)), m_format(format) {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
        m_request = Atom(m_x, "_NET_REQUEST_FRAME_EXTENTS");
        m_extents = Atom(m_x, "_NET_FRAME_EXTENTS");
        const xcb_atom_t offered = offers ? m_request : m_extents;
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, m_root, Atom(m_x, "_NET_SUPPORTED"),
                            XCB_ATOM_ATOM, 32, 1, &offered);
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
        xcb_change_window_attributes(m_x, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_x);
        m_thread = std::jthread([this](std::stop_token stop) { serve(stop); });
    }
    ~StandIn() {
        m_thread = {};
        xcb_disconnect(m_x);
    }

private:
    void serve(std::stop_token stop) {
        pollfd readable{xcb_get_file_descriptor(m_x), POLLIN, 0};
        while (!stop.stop_requested()) {
            poll(&readable, 1, 10);
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_x)) {
                const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
                if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE &&
                    message->type == m_request && !m_answer.empty()) {
                    std::vector<std::uint16_t> narrow(m_answer.begin(), m_answer.end());
                    xcb_change_property(
                        m_x, XCB_PROP_MODE_REPLACE, message->window, m_extents, XCB_ATOM_CARDINAL,
                        m_format, m_answer.size(),
                        m_format == 32 ? static_cast<const void*>(m_answer.data()) : narrow.data());
                    xcb_flush(m_x);
                }
                std::free(event);
            }
        }
    }

    xcb_connection_t* m_x;
    std::vector<std::uint32_t> m_answer;
    std::uint8_t m_format;
    xcb_window_t m_root;
    xcb_atom_t m_request, m_extents;
    std::jthread m_thread;
};

}  // namespace

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void request_data();
    void request();
};

void FrameTest::request_data() {
    QTest::addColumn<bool>("offers");
    QTest::addColumn<std::vector<std::uint32_t>>("answer");  // left, right, top, bottom
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("display");  // where the request's own connection goes
    QTest::addColumn<bool>("framed");
    QTest::addColumn<bool>("waits");  // the whole time allowed
    const std::vector<std::uint32_t> frame{2, 6, 40, 10}, none;
    const QString here = qEnvironmentVariable("DISPLAY");
    // clang-format off
    QTest::newRow("answers")         << true << frame << 32 << here << true << false;
    QTest::newRow("never answers")   << true << none << 32 << here << false << true;
    QTest::newRow("three values")    << true << std::vector<std::uint32_t>{2, 6, 40} << 32 << here << false << false;
    QTest::newRow("16-bit values")   << true << frame << 16 << here << false << false;
    QTest::newRow("not offered")     << false << none << 32 << here << false << false;
    QTest::newRow("no connection")   << true << frame << 32 << ":99999" << false << false;
    // clang-format on
}

// The frame as the window manager reports it, in logical pixels; or none, at once unless the
// manager offered to answer and has not yet.
void FrameTest::request() {
    QFETCH(bool, offers);
    QFETCH(std::vector<std::uint32_t>, answer);
    QFETCH(int, format);
    QFETCH(QString, display);
    QFETCH(bool, framed);
    QFETCH(bool, waits);
    StandIn manager(offers, answer, static_cast<std::uint8_t>(format));
    QWindow window;
    window.create();
    const QByteArray ours = qgetenv("DISPLAY");
    qputenv("DISPLAY", display.toUtf8());
    tallyvane::FrameRequest frameRequest(window);
    qputenv("DISPLAY", ours);
    QElapsedTimer clock;
    clock.start();
    const std::optional<QMargins> frame = frameRequest.answer(std::chrono::milliseconds(300));
    const qreal r = window.devicePixelRatio();
    QCOMPARE(r, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    const QMargins expected(qRound(2 / r), qRound(40 / r), qRound(6 / r), qRound(10 / r));
    QCOMPARE(frame, framed ? std::optional(expected) : std::nullopt);
    QCOMPARE(clock.elapsed() >= 300, waits);
    QCOMPARE(tallyvane::FrameExtents(window), frame);  // read afresh, as when the window grows
}

int main(int argc, char** argv) {
    QFile state(qEnvironmentVariable("TALLYVANE_STATE") + "/bare-x.state");
    if (state.open(QIODevice::ReadOnly))
        qputenv("DISPLAY", state.readLine().trimmed());
    QGuiApplication app(argc, argv);
    FrameTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "frame_test.moc"
