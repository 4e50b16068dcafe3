#pragma once

class QPainter;

namespace tallyvane {

struct ChartScene;

// Paints the core's chart scene at its own units: the painter's transform places and scales it.
// On a printer or a PDF every mark stays a vector; texts take the desktop's own sans-serif face.
void PaintChart(QPainter& painter, const ChartScene& scene);

}  // namespace tallyvane
