#include "report/chart_painter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPolygonF>

#include "samples/chart_scene.h"

namespace tallyvane {
namespace {

QColor Colour(ChartInk ink) {
    const std::string_view name = InkColour(ink);
    return QColor(QLatin1StringView(name.data(), static_cast<qsizetype>(name.size())));
}

QPointF Point(const ChartPoint& p) {
    return {p.x, p.y};
}

void PaintText(QPainter& painter, const ChartMark& mark) {
    QFont font = QGuiApplication::font();  // the desktop's face: "sans-serif" is no Windows name
    font.setPixelSize(static_cast<int>(mark.width));
    painter.save();
    painter.setFont(font);
    painter.setPen(Colour(mark.ink));
    painter.translate(Point(mark.points.front()));
    painter.rotate(mark.turn);
    const QString text = QString::fromStdString(mark.text);
    const double width = painter.fontMetrics().horizontalAdvance(text);
    const double shift = mark.anchor == ChartMark::Anchor::kEnd      ? width
                         : mark.anchor == ChartMark::Anchor::kMiddle ? width / 2
                                                                     : 0.0;
    painter.drawText(QPointF(-shift, 0), text);
    painter.restore();
}

}  // namespace

void PaintChart(QPainter& painter, const ChartScene& scene) {
    for (const ChartMark& mark : scene.marks) {
        if (mark.points.empty()) {
            continue;
        }
        if (mark.kind == ChartMark::Kind::kText) {
            PaintText(painter, mark);
            continue;
        }
        if (mark.kind == ChartMark::Kind::kLine) {
            QPen pen(Colour(mark.ink), mark.width);
            pen.setCapStyle(Qt::FlatCap);  // as SVG's butt ends
            if (mark.dashed) {
                pen.setDashPattern({6 / mark.width, 3 / mark.width});
            }
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            QPolygonF line;
            for (const ChartPoint& p : mark.points) {
                line << Point(p);
            }
            painter.drawPolyline(line);
            continue;
        }
        if (mark.hollow) {
            painter.setPen(QPen(Colour(mark.ink), 1.5));
            painter.setBrush(Colour(ChartInk::kPaper));
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Colour(mark.ink));
        }
        if (mark.kind == ChartMark::Kind::kCircle) {
            painter.drawEllipse(Point(mark.points.front()), mark.width, mark.width);
        } else if (mark.points.size() > 1) {
            painter.drawRect(QRectF(Point(mark.points[0]), Point(mark.points[1])));
        }
    }
}

}  // namespace tallyvane
