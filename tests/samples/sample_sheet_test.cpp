#include "samples/sample_sheet.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace tallyvane {
namespace {

// The golden table, Tallyvane's own CSV with its figures checked apart, reads back to itself. A
// bad row keeps its place and its reason, and the table then gives no figures.
TEST(SampleSheet, GoldenTableAndBadRow) {
    std::ifstream file(SOURCE_DIR "/tests/samples/golden.csv", std::ios::binary);
    const std::string golden{std::istreambuf_iterator<char>(file), {}};
    const SampleSheet sheet(golden);
    EXPECT_EQ(std::tuple(sheet.size(), sheet.csv(), sheet.row(2).label, sheet.reasons().size()),
              std::tuple(12u, golden, "Line 3, north", 0u));
    std::string bad = golden;
    const SampleSheet refused(bad.replace(bad.find(",7,50"), 3, ",7.5,"));
    EXPECT_EQ(std::tuple(refused.size(), refused.error(5), refused.row(11).defects),
              std::tuple(13u, refused.reasons().at(0), 27u));  // "Pooled" a sample
    EXPECT_TRUE(refused.error(4).empty() && !refused.summary() && !refused.reasons()[0].empty());
    EXPECT_EQ(SampleSheet(std::string(1, '\0')).reasons().size(), 1u);
}

}  // namespace
}  // namespace tallyvane
