// The printer proper, with Qt Print Support behind it: a module of its own that the program
// loads on the first Print Result (report/page_printer.cpp), so that no start pays for it.
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "calc/warning_texts.h"
#include "report/chart_painter.h"
#include "report/print_failure.h"
#include "report/print_queue.h"
#include "report/printer_entry.h"
#include "samples/chart_scene.h"

namespace tallyvane {
namespace {

[[noreturn]] void Fail(std::string_view message) {
    throw PrintFailure(std::string(message));
}

constexpr QSizeF kGrid(850, 1000);
constexpr QPointF kFirstRow(100, 100);

// Throws PrintFailure.
void PrintNow(const std::vector<std::string>& rows, double pointSize, const ChartScene* chart,
              const QString& docName) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        Fail(warning::kNoDefaultPrinter);
    }
    // Qt's print engine reports a job as sent even when the queue refuses it.
    if (!PrintQueueAcceptsJobs(info.printerName())) {
        Fail(warning::kReportNotPrinted);
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(docName);
    // QPrinter keeps its own A4 wherever the printer offers A4, whatever paper the user set.
    if (const QPageSize paper = info.defaultPageSize(); paper.isValid()) {
        printer.setPageSize(paper);
    }
    QPainter painter;
    if (!printer.isValid() || !painter.begin(&printer)) {
        Fail(warning::kReportNotPrinted);
    }
    // The painter's origin is the printable area's top-left corner.
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    // Liberation Mono has Courier New's metrics, where Courier New itself is missing.
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(pointSize);
    const double left = kFirstRow.x() / kGrid.width() * area.width();
    // Rows too wide for the paper at that size take a smaller one.
    double widest = 0;
    for (const std::string& row : rows) {
        widest = std::max(widest,
                          QFontMetricsF(font, &printer).horizontalAdvance(QString::fromUtf8(row)));
    }
    if (widest > area.width() - 2 * left) {
        font.setPointSizeF(pointSize * (area.width() - 2 * left) / widest);
    }
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const double first = kFirstRow.y() / kGrid.height() * area.height();
    double top = first;
    for (const std::string& row : rows) {
        if (top + metrics.lineSpacing() > area.height()) {
            printer.newPage();
            top = first;
        }
        painter.drawText(QPointF(left, top + metrics.ascent()), QString::fromUtf8(row));
        top += metrics.lineSpacing();
    }
    // The chart under the rows, as wide as the rows may be, on a page of its own if it must.
    if (chart && !chart->empty()) {
        const double scale = (area.width() - 2 * left) / chart->width;
        top += metrics.lineSpacing();
        if (top + chart->height * scale > area.height()) {
            printer.newPage();
            top = first;
        }
        painter.save();
        painter.translate(left, top);
        painter.scale(scale, scale);
        PaintChart(painter, *chart);
        painter.restore();
    }
    // An engine that failed mid-document stays in its error state until end() resets it.
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
        printer.abort();
        painter.end();
        Fail(warning::kReportNotPrinted);
    }
    if (!painter.end()) {
        Fail(warning::kReportNotPrinted);
    }
}

}  // namespace
}  // namespace tallyvane

int tallyvane_print_report(const char* const* rows, std::size_t count, double pointSize,
                           const tallyvane::ChartScene* chart, const char* docName, char* failure,
                           std::size_t failureCapacity) {
    std::string reason;
    try {
        tallyvane::PrintNow(std::vector<std::string>(rows, rows + count), pointSize, chart,
                            QString::fromUtf8(docName));
        return 0;
    } catch (const tallyvane::PrintFailure& e) {
        reason = e.what();
    } catch (const std::exception& e) {
        qWarning("Printing failed: %s", e.what());
        reason = tallyvane::warning::kReportNotPrinted;
    } catch (...) {
        reason = tallyvane::warning::kReportNotPrinted;
    }
    std::snprintf(failure, failureCapacity, "%s", reason.c_str());
    return 1;
}
