#include "report/qt_report_device.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QPrinterInfo>
#include <string>

#include "calc/warning_texts.h"
#include "report/print_queue.h"

namespace tallyvane {
namespace {

[[noreturn]] void Fail(std::string_view message) {
    throw PrintFailure(std::string(message));
}

}  // namespace

QtReportDevice::QtReportDevice(const QString& docName) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        Fail(warning::kNoDefaultPrinter);
    }
    // Qt's print engine reports a job as sent even when the queue refuses it.
    if (!PrintQueueAcceptsJobs(info.printerName().toStdString())) {
        Fail(warning::kReportNotPrinted);
    }
    m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    m_printer->setDocName(docName);
    if (!m_printer->isValid() || !m_painter.begin(m_printer.get())) {
        Fail(warning::kReportNotPrinted);
    }
    const QRectF area = m_printer->pageRect(QPrinter::DevicePixel);
    m_pageWidth = area.width();
    m_pageHeight = area.height();
    if (!(m_pageWidth > 0 && m_pageHeight > 0)) {
        Fail(warning::kReportNotPrinted);
    }
}

QtReportDevice::~QtReportDevice() {
    if (m_painter.isActive()) {  // still open: a failure cut the document short
        m_printer->abort();
        m_painter.end();
    }
}

void QtReportDevice::Check() const {
    if (m_printer->printerState() == QPrinter::Error ||
        m_printer->printerState() == QPrinter::Aborted) {
        Fail(warning::kReportNotPrinted);
    }
}

double QtReportDevice::DeviceX(double x) const {
    return (x - m_x1) / (m_x2 - m_x1) * m_pageWidth;
}

double QtReportDevice::DeviceY(double y) const {
    return (y - m_y1) / (m_y2 - m_y1) * m_pageHeight;
}

void QtReportDevice::Scale(double x1, double y1, double x2, double y2) {
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    m_currentX = x1;
    m_currentY = y1;
}

void QtReportDevice::SetFontName(std::string_view name) {
    m_font.setFamily(QString::fromUtf8(name));
}

void QtReportDevice::SetFontSize(double points) {
    m_font.setPointSizeF(points);
}

void QtReportDevice::SetCurrentX(double x) {
    m_currentX = x;
}

void QtReportDevice::SetCurrentY(double y) {
    m_currentY = y;
}

void QtReportDevice::Print(std::string_view text) {
    const QFontMetricsF metrics(m_font, m_printer.get());
    if (!text.empty()) {
        m_painter.setFont(m_font);
        m_painter.drawText(QPointF(DeviceX(m_currentX), DeviceY(m_currentY) + metrics.ascent()),
                           QString::fromUtf8(text));
    }
    m_currentY += metrics.lineSpacing() / m_pageHeight * (m_y2 - m_y1);
    m_currentX = m_x1;
}

// A print engine that fails mid-document stays in its error state until the end, which also
// resets it: the state is read once, before ending.
void QtReportDevice::EndDoc() {
    Check();
    if (!m_painter.end()) {
        Fail(warning::kReportNotPrinted);
    }
}

}  // namespace tallyvane
