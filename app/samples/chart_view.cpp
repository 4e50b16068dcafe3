#include "app/samples/chart_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

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
    const QPointF at = placement().inverted().map(QPointF(help->pos()));
    for (const ChartMark& mark : m_scene.marks) {  // a point within 6 units of the pointer
        if (!mark.meaning.empty() &&
            QLineF(at, {mark.points.front().x, mark.points.front().y}).length() <= 6) {
            QToolTip::showText(help->globalPos(), QString::fromStdString(mark.meaning), this);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

}  // namespace tallyvane
