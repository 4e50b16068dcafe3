#pragma once

#include <stdexcept>
#include <string_view>

namespace tallyvane {

// A printer failure, with the text the user is shown.
class PrintFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The printer operations the report needs. Positions are in the current user scale; any
// operation may throw PrintFailure.
class ReportDevice {
public:
    virtual ~ReportDevice() = default;

    // From now on (x1, y1) is the top-left and (x2, y2) the bottom-right corner of the
    // printable area.
    virtual void Scale(double x1, double y1, double x2, double y2) = 0;
    virtual void SetFontName(std::string_view name) = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;
    // Draws the text with the top of its line at the current position, then moves down one
    // line and back to the left edge. An empty text leaves an empty row.
    virtual void Print(std::string_view text) = 0;
    // Ends the document and hands it to the printer.
    virtual void EndDoc() = 0;
};

}  // namespace tallyvane
