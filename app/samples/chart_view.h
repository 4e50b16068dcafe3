#pragma once

#include <QWidget>

#include "samples/chart_scene.h"

namespace tallyvane {

// The core's chart of the samples, scaled to fit and centred, on the chart's own white; a mark's
// meaning is its tooltip.
class ChartView : public QWidget {
    Q_OBJECT

public:
    explicit ChartView(QWidget* parent = nullptr);
    void setChart(ChartScene scene);
    const ChartScene& chart() const { return m_scene; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The chart's units to the widget's.
    QTransform placement() const;

    ChartScene m_scene;
};

}  // namespace tallyvane
