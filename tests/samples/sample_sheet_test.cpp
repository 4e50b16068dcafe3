#include "samples/sample_sheet.h"

#include "samples/sample_columns.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace std::string_literals;

#include "samples/table_records.h"
#include "samples/text_decoding.h"

namespace tallyvane {
namespace {

std::string Golden() {
    std::ifstream file(SOURCE_DIR "/tests/samples/golden.csv", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Every row's cells, a row a line, fields apart by "|".
std::string Cells(const SampleSheet& sheet) {
    std::string out;
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        for (std::size_t c = 0; c < Width(sheet.cells(i)); ++c)  // trailing empty cells aside
            out += sheet.cells(i)[c] + "|";
        out += "\n";
    }
    return out;
}

// The golden table, Tallyvane's own CSV with its figures checked apart, reads back to itself and
// saves to itself: its pooled row is made again, not kept. A bad row keeps its place and its
// reason, and the table then gives no figures and saves the rows as they are.
TEST(SampleSheet, GoldenTableAndBadRow) {
    const std::string golden = Golden();
    const SampleSheet sheet(golden);
    EXPECT_EQ(std::tuple(sheet.size(), sheet.csv(), sheet.file(), sheet.row(2).label),
              std::tuple(12u, golden, golden, "Line 3, north"));
    EXPECT_NEAR(*sheet.summary()->stages[0].chart.sigmaZ, 1.9371084,
                1e-7);  // samples of 40, 50 and 60
    std::string bad = golden;
    SampleSheet refused(bad.replace(bad.find(",7,50"), 3, ",7.5,"));
    EXPECT_EQ(std::tuple(refused.size(), refused.error(5), refused.reasons().size()),
              std::tuple(12u, "line 7: defects \"7.5\" is not a whole number in digits", 1u));
    EXPECT_TRUE(refused.error(4).empty() && !refused.summary());
    EXPECT_EQ(refused.file().substr(0, 40), "Label,Defects,Opportunities\nMon 1,12,50\n");
    refused.numberByPlace();
    refused.replaceRows(11, 1, {{"Total", "110", "550"}});
    EXPECT_EQ(refused.error(5), "Row 6: defects \"7.5\" is not a whole number in digits");
    refused.replaceRows(5, 1, {{"Tue 2", "7", "50"}});
    EXPECT_EQ(refused.reasons(),
              std::vector<std::string>{
                  "Row 12 holds the totals of the rows above it (110 in 550): remove it"});
}

// A user's own file keeps its columns, separator, line ends and encoding when saved; the results
// follow its columns and replace those Tallyvane wrote before.
TEST(SampleSheet, SavesTheUsersFile) {
    const std::string text =
        "Date;Line;Defects;Opportunities;Comment;DPMO;Defects (%);Yield (%);Process Sigma "
        "Level\r\n1 May;A;1;10;\"ok; \"\"fine\"\"\";9;1%;99%;3.8\r\n\r\n"
        "2 May;B;2;20;\r\n";
    const std::string bytes = EncodeText(text, TextEncoding::kUtf16LittleEndian);
    const SampleSheet sheet(bytes);
    EXPECT_EQ(Cells(sheet), "1 May|A|1|10|ok; \"fine\"|\n\n2 May|B|2|20|\n");
    const std::string saved = sheet.file();
    EXPECT_TRUE(
        saved.starts_with("\xFF\xFE"
                          "D\0a\0t\0e\0;\0"s));
    const SampleSheet again(saved);
    EXPECT_EQ(std::tuple(Cells(again), again.columns().size(), again.file()),
              std::tuple(Cells(sheet), 5u, saved));
    const std::string written = DecodeTable(saved).text;
    EXPECT_TRUE(written.starts_with("Date;Line;Defects;Opportunities;Comment;DPMO;Defects (%);"));
    EXPECT_TRUE(written.ends_with(  // 3 in 30: 2.11% to 26.53%
        ";P;10.00%;\r\nPooled;;3;30;;100000;10.00%;90.00%;2.78;;;;;;21100;265000;2.11%;26.53%;"
        "73.47%;97.89%;2.13;3.53;;;\r\n"));
}

// A table without a header: counts under their columns, and a header once it has figures; a
// Windows-1252 file is said so and saved as UTF-8 with its mark.
TEST(SampleSheet, TableWithoutHeader) {
    SampleSheet sheet(
        "Gr\xf6\xdf"
        "e,1,10\n2,20\n");
    sheet.alignCounts();
    EXPECT_EQ(std::tuple(Cells(sheet), sheet.notes().size(), sheet.isCountColumn(0)),
              std::tuple("Gr\u00f6\u00dfe|1|10|\n|2|20|\n", 1u, false));
    EXPECT_TRUE(sheet.file().starts_with("\xEF\xBB\xBFLabel,Defects,Opportunities,DPMO,") &&
                sheet.file().ends_with("\nPooled,3,30,100000,10.00%,90.00%,2.78,,,,,,21100,"
                                       "265000,2.11%,26.53%,73.47%,97.89%,2.13,3.53,,,\n"));
    EXPECT_FALSE(SampleSheet("\x81").isText());
    // Unlabelled rows named on the chart as the window numbers its rows, blank ones among them.
    SampleSheet unlabelled("7,100\n\n3,100\n");
    unlabelled.numberByPlace();
    std::vector<std::string> labels;
    for (const ChartMark& mark : unlabelled.chart().marks)
        if (mark.turn != 0.0)
            labels.push_back(mark.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"1", "3"}));
}

// A label that a spreadsheet would run as a formula is saved and copied as text, and reads back
// as it was, as do labels with quotes and line breaks.
TEST(SampleSheet, LabelsReadBackAsWritten) {
    const std::vector<std::string> labels{
        "=1+2",  "@SUM(A1)",         "-x", "+y", "\tz", "\rw", "'=v", "''", "'u",
        "-0.50", "said \"hi\"\nthen"};
    std::vector<SampleCellsRow> rows;
    for (const std::string& label : labels)
        rows.push_back({label, "1", "10"});
    SampleSheet sheet;
    sheet.replaceRows(0, 0, rows);
    const std::string saved = sheet.file(), copied = sheet.text('\t');
    EXPECT_EQ(std::tuple(Cells(SampleSheet(saved)), Cells(SampleSheet(copied))),
              std::tuple(Cells(sheet), Cells(sheet)));
    EXPECT_TRUE(saved.find("\n'=1+2,") != std::string::npos &&
                saved.find("\n'@SUM(A1),") != std::string::npos &&
                saved.find("\n-0.50,") != std::string::npos);
}

// Saved and read back, a table keeps its cells and its verdict, whatever its header names.
TEST(SampleSheet, SavedTablesReadBack) {
    const std::pair<std::string, bool> tables[] = {
        {"Defects,Opportunities,\n1,10\n2,20\n", true},     // a blank name after the counts
        {"Lot,Bad,Total\na,1,10\nb,2,20\nc,1,30\n", true},  // read by position
        {"Centre,Defects,Opportunities,Chart\nLeeds,1,100,C-12\nYork,2,200,C-14\n", true},
        {"Lot,Defects,Opportunities\na,1,10\n   \nb,2,20\n", true},  // a line of blanks
        {"Label,Defects,Opportunities,DPMO,Defects (%),Yield (%),Process Sigma Level\na,1,10\nb,"
         "2,20\nPooled,\"3,30",
         false},  // a quote never closed is no pooled row of Tallyvane's
        {"\"Leeds, north, bay 2, B\"\t1\t100\nYork\t2\tx\n", false},  // commas in a tab's table
    };
    for (const auto& [table, figures] : tables) {
        const SampleSheet sheet(table), again(sheet.file());
        EXPECT_EQ(
            std::tuple(sheet.summary().has_value(), again.summary().has_value(), Cells(again)),
            std::tuple(figures, figures, Cells(sheet)))
            << table;
    }
}

// Setting a row aside or starting a stage gives a table without a header one, each count under
// its column, and the reason and the stage read back from the saved file as they were. A stage
// started inside another takes the rest of it, not the stage after; a stage whose every sample
// is set aside gives no figures and says why.
TEST(SampleSheet, SetAsideAndStages) {
    SampleSheet sheet("A,5,100\n7,100\n\n9,100\n8,100\n");
    sheet.numberByPlace();
    sheet.setColumn(kExcludedColumn, {1}, "sensor fault");
    sheet.setColumn(kStageColumn, {4}, "later");
    sheet.setColumn(kStageColumn, sheet.stageRows(0), "first");
    EXPECT_EQ(sheet.rowsText(),
              "Label,Defects,Opportunities,Excluded,Stage\nA,5,100,,first\n,7,100,sensor "
              "fault,first\n\n,9,100,,first\n,8,100,,later\n");
    const SampleSheet again(sheet.file());
    EXPECT_EQ(std::tuple(again.isSetAside(1), again.summary()->stages.size(),
                         again.summary()->totals.setAside, again.file()),
              std::tuple(true, 2u, 1u, sheet.file()));
    // The rows that no edit changed are written as they were typed.
    SampleSheet typed("Lot,Defects,Opportunities\n  c , 2 , 10\n\"e\",1,10\nb\"x,1,10\n");
    typed.setColumn(kExcludedColumn, {1}, "why");
    EXPECT_EQ(typed.rowsText(),
              "Lot,Defects,Opportunities,Excluded\n  c , 2 , 10\ne,1,10,why\nb\"x,1,10\n");
    sheet.setColumn(kExcludedColumn, {4}, "?");
    EXPECT_EQ(sheet.reasons(), std::vector<std::string>{"Row 5: every sample of the stage "
                                                        "\"later\" is set aside: bring one back to "
                                                        "judge them against"});
}

// Cells pasted as spreadsheets pass them: tabs part them, and a quote never closed is text.
TEST(TableCells, AsSpreadsheetsPaste) {
    using Cells = std::vector<std::vector<std::string>>;
    EXPECT_EQ(TableCells("1,500\n\n\"a\tb\"\t1\r\n"), (Cells{{"1,500"}, {""}, {"a\tb", "1"}}));
    EXPECT_EQ(TableCells("\"Best\t1\t10\n\nB\t2\t"),
              (Cells{{"\"Best", "1", "10"}, {}, {"B", "2", ""}}));
}

// Centres and limits keep four significant digits at any size, never in exponent form.
TEST(SampleCells, LimitPercent) {
    const std::pair<double, std::string> rows[] = {{0.4102391, "41.02%"},  {0.05243, "5.243%"},
                                                   {3.4e-6, "0.0003400%"}, {0.0, "0%"},
                                                   {1.0, "100.0%"},        {0.99999, "100.0%"},
                                                   {0.0999995, "10.00%"},  {0.00123456, "0.1235%"}};
    for (const auto& [fraction, text] : rows)
        EXPECT_EQ(LimitPercent(fraction), text) << fraction;
}

}  // namespace
}  // namespace tallyvane
