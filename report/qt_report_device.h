#pragma once

#include <QFont>
#include <QPainter>
#include <memory>

#include "report/report_device.h"

class QPrinter;

namespace tallyvane {

// The report device on the system's default printer: no dialog, the printer's own settings,
// on QPrinter's A4 wherever the printer offers it. Positions are mapped onto the printable area by
// hand, so fonts keep their real point size whatever the scale. A document not ended is aborted
// where the print engine can abort; Qt's PDF and CUPS engines cannot, and would send it as it
// stands.
class QtReportDevice : public ReportDevice {
public:
    // Throws PrintFailure when there is no default printer or it cannot start a document.
    explicit QtReportDevice(const QString& docName);
    ~QtReportDevice() override;

    void Scale(double x1, double y1, double x2, double y2) override;
    void SetFontName(std::string_view name) override;
    void SetFontSize(double points) override;
    void SetCurrentX(double x) override;
    void SetCurrentY(double y) override;
    void Print(std::string_view text) override;
    void EndDoc() override;

private:
    double DeviceX(double x) const;
    double DeviceY(double y) const;
    void Check() const;

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QFont m_font;
    double m_x1 = 0, m_y1 = 0, m_x2 = 1, m_y2 = 1;
    double m_currentX = 0, m_currentY = 0;
    double m_pageWidth = 1, m_pageHeight = 1;  // the printable area in device pixels
};

}  // namespace tallyvane
