#include "report/result_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallyvane {
namespace {

// Records every printer operation as text, and fails the operation numbered `failAt`.
class RecordingDevice : public ReportDevice {
public:
    explicit RecordingDevice(int failAt = -1) : m_failAt(failAt) {}

    void Scale(double x1, double y1, double x2, double y2) override {
        Record("Scale " + N(x1) + " " + N(y1) + " " + N(x2) + " " + N(y2));
    }
    void SetFontName(std::string_view name) override { Record("Font " + std::string(name)); }
    void SetFontSize(double points) override { Record("Size " + N(points)); }
    void SetCurrentX(double x) override { Record("X " + N(x)); }
    void SetCurrentY(double y) override { Record("Y " + N(y)); }
    void Print(std::string_view text) override { Record("Print [" + std::string(text) + "]"); }
    void EndDoc() override { Record("EndDoc"); }

    std::vector<std::string> ops;

private:
    static std::string N(double v) { return std::to_string(static_cast<int>(v)); }
    void Record(std::string op) {
        if (static_cast<int>(ops.size()) == m_failAt) {
            throw PrintFailure(std::string(kReportNotPrinted));
        }
        ops.push_back(std::move(op));
    }
    int m_failAt;
};

const ReportBoxes kWorked{"7", "1500", "4666.66666666667", "0.47%", "99.53%", "4.10"};

TEST(ResultReport, OperationsInOrder) {
    RecordingDevice device;
    PrintResultReport(device, kWorked);
    const std::vector<std::string> expected{
        "Scale 0 0 850 1000",
        "Font Courier New",
        "Size 12",
        "Y 100",
        "X 100",
        "Print [Total number of defects observed       :7.00]",
        "Print []",
        "X 100",
        "Print [Total opportunities observed           :1500.00]",
        "Print []",
        "X 100",
        "Print [Defects per Million Opportunities(DPMO):4666.67]",
        "Print []",
        "X 100",
        "Print [Defects(%):0.47%]",
        "Print []",
        "X 100",
        "Print [Yields(%) :99.53%]",
        "Print []",
        "Print []",
        "X 100",
        "Print [Process Sigma Level  :4.10]",
        "EndDoc"};
    EXPECT_EQ(device.ops, expected);
}

TEST(ResultReport, AFailureStopsAtThatOperation) {
    for (int failAt : {0, 5, 12, 22}) {
        RecordingDevice device(failAt);
        EXPECT_THROW(PrintResultReport(device, kWorked), PrintFailure);
        EXPECT_EQ(device.ops.size(), static_cast<std::size_t>(failAt));
        for (const std::string& op : device.ops) {
            EXPECT_NE(op, "EndDoc");
        }
    }
}

}  // namespace
}  // namespace tallyvane
