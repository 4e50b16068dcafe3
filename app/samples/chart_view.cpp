#include "app/samples/chart_view.h"

#include <QPainter>

#include "report/chart_painter.h"

namespace tallyvane {

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(160);
}

void ChartView::setChart(QByteArray svg) {
    m_svg = std::move(svg);
    setAccessibleName(m_svg.isEmpty() ? QString() : tr("Control chart"));
    update();
}

QSize ChartView::sizeHint() const {
    return {800, 420};
}

void ChartView::paintEvent(QPaintEvent*) {
    const QSizeF size = ChartSize(m_svg);
    if (size.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = std::min(width() / size.width(), height() / size.height());
    painter.translate((width() - size.width() * scale) / 2, (height() - size.height() * scale) / 2);
    painter.scale(scale, scale);
    PaintChart(painter, m_svg);
}

}  // namespace tallyvane
