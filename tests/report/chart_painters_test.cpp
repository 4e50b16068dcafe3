// The chart's two painters, the SVG writer and the QPainter painter, agree to within a few
// pixels: the SVG rendered by Qt SVG, an independent renderer, and the scene painted directly.
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

#include "report/chart_painter.h"
#include "samples/chart_svg.h"
#include "samples/sample_sheet.h"
#include "tests/samples/textbook.h"

namespace {

bool Near(QColor p, QColor q, int tolerance) {
    return std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                     std::abs(p.blue() - q.blue())}) <= tolerance;
}

// Pixels of `a` whose colour `b` has nowhere within a pixel of them, and the other way round:
// the two renderers place a glyph's edge or a dash a fraction apart, never a mark.
int Differing(const QImage& a, const QImage& b, int tolerance) {
    int differing = 0;
    for (const auto& [one, other] : {std::pair(&a, &b), std::pair(&b, &a)})
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                bool matched = false;
                for (int dy = -1; dy <= 1 && !matched; ++dy)
                    for (int dx = -1; dx <= 1 && !matched; ++dx)
                        matched = other->valid(x + dx, y + dy) &&
                                  Near(one->pixelColor(x, y), other->pixelColor(x + dx, y + dy),
                                       tolerance);
                differing += !matched;
            }
    return differing;
}

// How far the scene rendered from its SVG by Qt SVG and painted by PaintChart differ.
int Rendered(const tallyvane::ChartScene& scene, int tolerance) {
    QImage svg(int(scene.width), int(scene.height), QImage::Format_RGB32);
    svg.fill(Qt::gray);
    QImage painted = svg;
    QPainter painter(&svg);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(QByteArray::fromStdString(tallyvane::ChartSvg(scene))).render(&painter);
    painter.end();
    painter.begin(&painted);
    painter.setRenderHint(QPainter::Antialiasing);
    tallyvane::PaintChart(painter, scene);
    painter.end();
    const int differing = Differing(svg, painted, tolerance);
    qInfo("%d pixels differ", differing);
    return differing;
}

// Rows "r1,defects,opportunities" with the defects that `defects` gives each row.
QByteArray Rows(int count, int opportunities, int (*defects)(int)) {
    QByteArray table;
    for (int i = 0; i < count; ++i)
        table += "r" + QByteArray::number(i + 1) + "," + QByteArray::number(defects(i)) + "," +
                 QByteArray::number(opportunities) + "\n";
    return table;
}

}  // namespace

class ChartPaintersTest : public QObject {
    Q_OBJECT

private slots:
    // The painter takes the desktop's face, and the SVG names "sans-serif": the same face here,
    // so that what is compared is where the texts go.
    void initTestCase() { QGuiApplication::setFont(QFont(QStringLiteral("sans-serif"))); }

    void agree_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::newRow("textbook") << Rows(30, 50, [](int i) { return kOrangeJuice[i]; });
        QFile golden(SOURCE_DIR "/tests/samples/golden.csv");  // limits stepped by the sizes
        QTest::newRow("stepped") << (golden.open(QIODevice::ReadOnly) ? golden.readAll() : "");
        QTest::newRow("Laney P'") << Rows(
            30, 100000, [](int i) { return 1000 + 7 * i + (i % 2 ? 150 : -150); });
        QTest::newRow("1 row") << QByteArray("7,1500\n");
        QTest::newRow("2 rows") << QByteArray("7,1500\n70,1500\n");
        QTest::newRow("100000 rows") << Rows(100000, 100, [](int i) { return i % 7; });
        QTest::newRow("long label") << QByteArray(300, 'W') + ",1,10\nB,2,10\n";
        QTest::newRow("ppm") << Rows(25, 1000000, [](int i) { return i % 4 == 0 ? 1 : 0; });
    }

    void agree() {
        QFETCH(QByteArray, table);
        const tallyvane::ChartScene scene = tallyvane::SampleSheet(table.toStdString()).chart();
        QVERIFY(!scene.empty());
        // The marks but the texts agree to two pixels, in colours an eighth apart; the glyphs,
        // which the two rasterise apart, to a few hundred within a quarter (a text moved by two
        // pixels differs by a thousand).
        tallyvane::ChartScene shapes = scene;
        std::erase_if(shapes.marks, [](const tallyvane::ChartMark& mark) {
            return mark.kind == tallyvane::ChartMark::Kind::kText;
        });
        QCOMPARE(std::pair(Rendered(shapes, 32) <= 2, Rendered(scene, 64) <= 400),
                 std::pair(true, true));
    }
};

QTEST_MAIN(ChartPaintersTest)
#include "chart_painters_test.moc"
