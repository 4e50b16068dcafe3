#pragma once

#include <QByteArray>
#include <QSizeF>

class QPainter;

namespace tallyvane {

// The size the core's chart is drawn at, in its own units.
QSizeF ChartSize(const QByteArray& svg);

// Paints the core's chart, an SVG Tiny drawing of rectangles, paths of straight lines, circles
// and text, at its own units: the painter's transform places and scales it. On a printer or a
// PDF every shape stays a vector.
void PaintChart(QPainter& painter, const QByteArray& svg);

}  // namespace tallyvane
