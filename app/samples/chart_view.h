#pragma once

#include <QByteArray>
#include <QWidget>

namespace tallyvane {

// The core's chart of the samples, scaled to fit and centred, on the chart's own white.
class ChartView : public QWidget {
    Q_OBJECT

public:
    explicit ChartView(QWidget* parent = nullptr);
    void setChart(QByteArray svg);
    const QByteArray& chart() const { return m_svg; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QByteArray m_svg;
};

}  // namespace tallyvane
