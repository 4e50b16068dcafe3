#include "app/samples/chart_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "report/chart_painter.h"

namespace tallyvane {

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(160);
}

void ChartView::setChart(ChartScene scene) {
    m_scene = std::move(scene);
    setAccessibleName(QString::fromStdString(m_scene.title));
    update();
}

QSize ChartView::sizeHint() const {
    return {800, 420};
}

QTransform ChartView::placement() const {
    if (m_scene.empty()) {
        return {};
    }
    const double scale = std::min(width() / m_scene.width, height() / m_scene.height);
    return QTransform::fromTranslate((width() - m_scene.width * scale) / 2,
                                     (height() - m_scene.height * scale) / 2)
        .scale(scale, scale);
}

void ChartView::paintEvent(QPaintEvent*) {
    if (m_scene.empty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(placement());
    PaintChart(painter, m_scene);
}

bool ChartView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    // The mark nearest the pointer, within 6 units of its middle: a point, a square, a column.
    const QPointF at = placement().inverted().map(QPointF(help->pos()));
    const ChartMark* nearest = nullptr;
    double distance = 6;
    for (const ChartMark& mark : m_scene.marks) {
        if (mark.meaning.empty() || mark.points.empty()) {
            continue;
        }
        const QPointF first(mark.points.front().x, mark.points.front().y);
        const QPointF last(mark.points.back().x, mark.points.back().y);
        const QPointF middle =
            mark.kind == ChartMark::Kind::kLine
                ? QPointF(first.x(), std::clamp(at.y(), std::min(first.y(), last.y()),
                                                std::max(first.y(), last.y())))
                : (first + last) / 2;
        if (const double d = QLineF(at, middle).length(); d <= distance) {
            nearest = &mark;
            distance = d;
        }
    }
    if (nearest) {
        QToolTip::showText(help->globalPos(), QString::fromStdString(nearest->meaning), this);
        return true;
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

}  // namespace tallyvane
