#pragma once

// The printer module's one entry point, declared for the module that defines it and for the
// program that resolves it by name. Only C types cross: the two are linked apart.
#include <cstddef>

#if defined(TALLYVANE_PRINTER_MODULE) && defined(_WIN32)
#define TALLYVANE_PRINTER_ENTRY __declspec(dllexport)
#elif defined(TALLYVANE_PRINTER_MODULE)
#define TALLYVANE_PRINTER_ENTRY __attribute__((visibility("default")))
#else
#define TALLYVANE_PRINTER_ENTRY
#endif

namespace tallyvane {
struct ChartScene;
}  // namespace tallyvane

extern "C" {

// Prints `count` UTF-8 rows in Courier New of `pointSize` points, page after page, then the
// core's chart where it is not null (built with the same compiler as the program, and only read),
// as the document `docName` (UTF-8) on the default printer. Returns 0 once the pages have gone to
// the printer. Otherwise returns 1 and writes the text that the user is shown, UTF-8 and
// NUL-terminated, cut to fit `failureCapacity` bytes, into `failure`. Never throws.
TALLYVANE_PRINTER_ENTRY int tallyvane_print_report(const char* const* rows, std::size_t count,
                                                   double pointSize,
                                                   const tallyvane::ChartScene* chart,
                                                   const char* docName, char* failure,
                                                   std::size_t failureCapacity);
}

namespace tallyvane {
// Named anew whenever what crosses changes: a module left from another build is then not called.
inline constexpr char kPrintReportEntry[] = "tallyvane_print_report";
}  // namespace tallyvane
