#include "samples/sample_sheet.h"
#include "samples/sample_table.h"

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
    EXPECT_NEAR(*sheet.summary()->chart.sigmaZ, 1.9371084, 1e-7);  // samples of 40, 50 and 60
    std::string bad = golden;
    const SampleSheet refused(bad.replace(bad.find(",7,50"), 3, ",7.5,"));
    EXPECT_EQ(std::tuple(refused.size(), refused.error(5), refused.row(11).defects),
              std::tuple(13u, refused.reasons().at(0), 27u));  // "Pooled" a sample
    EXPECT_TRUE(refused.error(4).empty() && !refused.summary() && !refused.reasons()[0].empty());
    EXPECT_EQ(SampleSheet(std::string(1, '\0')).reasons().size(), 1u);
}

// Rows as written, a blank one and a label over two lines among them: each finds its own result
// or fault, and nothing written is lost from the saved CSV while a row is bad.
TEST(SampleTable, RowsAsWritten) {
    std::vector<std::string> reasons;
    auto entries = SampleTable::Read("Lot\tD\tO\n\"two\nlines\"\t1\t10\nB\t 7.5\t10\n", reasons);
    EXPECT_EQ(entries, (std::vector<SampleEntry>{{"two\nlines", "1", "10"}, {"B", "7.5", "10"}}));
    entries.insert(entries.begin() + 1, SampleEntry{});
    SampleTable table(entries);
    EXPECT_EQ(std::tuple(table.sheetRow(0), table.sheetRow(1), table.sheetRow(2), table.error(2)),
              std::tuple(0u, std::nullopt, 1u,
                         "Please enter valid Defects and Opportunities Values (defects \"7.5\" is "
                         "not a whole number)"));
    const std::string header =
        "Label,Defects,Opportunities,DPMO,Defects (%),Yield (%),Process Sigma Level,Lower "
        "limit,Upper limit,Beyond the limits\n";
    EXPECT_EQ(table.csv(), header + "\"two\nlines\",1,10,,,,,,,\n,,,,,,,,,\nB,7.5,10,,,,,,,\n");
    entries[2][1] = "7";
    table.setEntries(entries);
    EXPECT_EQ(table.sheet().result(*table.sheetRow(2)).plan.texts[0], "700000");
    EXPECT_TRUE(table.error(2).empty() &&
                table.csv().ends_with("\nPooled,8,20,400000,40.00%,60.00%,1.75,,,\n"));
    EXPECT_TRUE(SampleTable::Read("\x89PNG", reasons).empty() && reasons.size() == 1);
}

}  // namespace
}  // namespace tallyvane
