#include "samples/sample_rows.h"

#include <gtest/gtest.h>

#include "samples/table_refused.h"
#include "samples/text_decoding.h"

namespace tallyvane {
namespace {

// "line:label:defects:opportunities" for every row, or the reasons for refusing the table.
std::string Read(const std::string& bytes) {
    std::string out;
    try {
        const std::string text = DecodeText(bytes);
        CheckSamples(text);
        SampleRows rows(text);
        SampleRow row;
        std::string error;
        while (rows.next(row, error))
            out += std::to_string(row.line) + ":" + std::string(row.label) + ":" +
                   std::to_string(row.defects) + ":" + std::to_string(row.opportunities) + " ";
    } catch (const TableRefused& e) {
        for (const std::string& reason : e.reasons())
            out += reason + "|";
    }
    return out;
}

// A spreadsheet's "Unicode text": UTF-16 with its byte order mark.
std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t c : text)
        bytes +=
            bigEndian ? std::string{char(c >> 8), char(c)} : std::string{char(c), char(c >> 8)};
    return bytes;
}

TEST(SampleRows, Formats) {
    const std::string utf16le =
        Utf16(u"Lot\tDefects\tOpportunities\r\n\u00e9\u20ac\ue000\t7\t1500\r\n", false);
    const std::string utf16be = Utf16(u"7,9\n\U0001F600,1,2", true);
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"7\t1500\n", "1::7:1500 "},
        {"Date,Defects,Opportunities\r\nMon,7,1500\r\n\r\nTue, 3 ,1000,,\r\n", "2:Mon:7:1500 4:Tue:3:1000 "},
        {"\xEF\xBB\xBFLot;Defects;O\r\xF0\x9F\x98\x80\xE2\x82\xAC\xEE\x80\x80\xF4\x8F\xBF\xBF;1;2\rB;0;5", "2:\xF0\x9F\x98\x80\xE2\x82\xAC\xEE\x80\x80\xF4\x8F\xBF\xBF:1:2 3:B:0:5 "},
        {"\"Lot, \"\"north\"\"\nline two\",1,2\nB,2,3", "1:Lot, \"north\"\nline two:1:2 3:B:2:3 "},
        {"x,OPPORTUNITIES,note,defects,y\n,10,n,2,\nlot 2,30,,3", "2::2:10 3:lot 2:3:30 "},
        // Tallyvane's own saved table: its pooled row is no sample.
        {"Label,Defects,Opportunities,DPMO\nA,1,2,500000\nB,2,3,666666.666666667\nPooled,3,5,600000\n", "2:A:1:2 3:B:2:3 "},
        {"Label,Defects,Opportunities\nPooled,1,2\n", "2:Pooled:1:2 "},  // a sample, not totals
        {utf16le, "2:\u00e9\u20ac\ue000:7:1500 "},
        {utf16be, "1::7:9 2:\xF0\x9F\x98\x80:1:2 "},
        {"9007199254740991,9007199254740992\n", "1::9007199254740991:9007199254740992 "},
        {"x,1e\n3,10\n", "2::3:10 "},  // no number: a header
    };
    // clang-format on
    for (const auto& [text, read] : rows)
        EXPECT_EQ(Read(text), read) << text;
}

// Nothing is guessed: every bad line is named, at most twenty, and no figure comes out.
TEST(SampleRows, Refusals) {
    std::string many;
    for (int i = 0; i < 25; ++i)
        many += "12,10\n";
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"Lot,Defects,Opportunities\nA,12,10\nB,1,\nC,,\n", "line 2: defects (12) exceed opportunities (10)|line 3: Please enter Opportunities Values|line 4: Please enter Defects and Opportunities Values|"},
        {"7.0,1500\n", "line 1: Please enter valid Defects and Opportunities Values (defects \"7.0\" is not a whole number)|"},
        {"1,500\t7\n", "line 1: Please enter valid Defects and Opportunities Values (defects \"1,500\" is not a whole number)|"},
        {" -3, -10\n", "line 1: Defects and opportunities can not be negative! (defects \"-3\" is not a whole number)|"},
        {"-,10\n", "line 1: Please enter valid Defects and Opportunities Values (defects \"-\" is not a whole number)|"},
        {"1e+3,2e+3\n", "line 1: Please enter valid Defects and Opportunities Values (defects \"1e+3\" is not a whole number)|"},
        {"1,1 500\n", "line 1: Please enter valid Defects and Opportunities Values (opportunities \"1 500\" is not a whole number)|"},
        {"0,0\n", "line 1: no opportunities: a sample needs at least one|"},
        {"1,9007199254740993\n", "line 1: opportunities (9007199254740993) exceed 2^53, the largest count|"},
        {"1,2,3,4\n5\n", "line 1: a row holds two counts, defects then opportunities, perhaps after a label; this one has 4 fields|line 2: a row holds two counts, defects then opportunities, perhaps after a label; this one has 1 field|"},
        {"1,9007199254740992\n1,1\n", "The total of the opportunities exceeds 2^53 (9007199254740992), the largest count whose figures are exact.|"},
        {"2e1,1e3\n3,10\n", "line 1: Please enter valid Defects and Opportunities Values (defects \"2e1\" is not a whole number)|"},  // numbers: a row
        {"Lot,Defects,Opportunities\n\n ,\n", "The table holds no samples: each row needs its defects and its opportunities.|"},
        {"", "The table holds no samples: each row needs its defects and its opportunities.|"},
        {std::string("7,15\0" "00\n", 8), "The file is not text: save the table as CSV or as tab-separated text, and open that.|"},
        {"\x89PNG\r\n\x1a\n", "The file is not text: save the table as CSV or as tab-separated text, and open that.|"},
        {"7,1\xED\xA0\x80", "The file is not text: save the table as CSV or as tab-separated text, and open that.|"},  // a surrogate
        {"\xE0\x80\xB1,1", "The file is not text: save the table as CSV or as tab-separated text, and open that.|"},  // "1" overlong
        {"7,1500\x80\n", "The file is not text: save the table as CSV or as tab-separated text, and open that.|"},  // a lone continuation byte
        {std::string("\xFF\xFE\x00\xD8", 4), "The file is not text: save the table as CSV or as tab-separated text, and open that.|"},
        {"\xF0\x8F\xBF\xBF,1", "The file is not text: save the table as CSV or as tab-separated text, and open that.|"},  // U+FFFF in four bytes
        {Utf16(u"1,2\xD83D\xE000", false), "The file is not text: save the table as CSV or as tab-separated text, and open that.|"},  // no low surrogate
        {Utf16(std::u16string_view(u"1,2\0", 4), true), "The file is not text: save the table as CSV or as tab-separated text, and open that.|"},
        {std::string((std::size_t{64} << 20) + 1, '\n'), "The file is larger than 64 MiB: split the table into smaller ones.|"},
        {std::string(std::size_t{64} << 20, '\n'), "The table holds no samples: each row needs its defects and its opportunities.|"},  // 64 MiB itself
        {many, "line 1: defects (12) exceed opportunities (10)|"},
    };
    // clang-format on
    for (const auto& [text, reasons] : rows)
        EXPECT_EQ(Read(text).substr(0, reasons.size()), reasons) << text.substr(0, 40);
    EXPECT_TRUE(
        Read(many).ends_with("line 20: defects (12) exceed opportunities (10)|and 5 more|"));
}

}  // namespace
}  // namespace tallyvane
