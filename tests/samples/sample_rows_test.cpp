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
        const std::string text = DecodeTable(bytes).text;
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
        {"\xEF\xBB\xBFLot;Defects;Opportunities\r\xF0\x9F\x98\x80\xE2\x82\xAC\xEE\x80\x80\xF4\x8F\xBF\xBF;1;2\rB;0;5", "2:\xF0\x9F\x98\x80\xE2\x82\xAC\xEE\x80\x80\xF4\x8F\xBF\xBF:1:2 3:B:0:5 "},
        {"\"Lot, \"\"north\"\"\nline two\",1,2\nB,2,3", "1:Lot, \"north\"\nline two:1:2 3:B:2:3 "},
        {"x,OPPORTUNITIES,note,defects,y\n,10,n,2,\nlot 2,30,,3", "2::2:10 3:lot 2:3:30 "},
        // Tallyvane's own saved table: its pooled row is no sample.
        {utf16le, "2:\u00e9\u20ac\ue000:7:1500 "},
        {utf16be, "1::7:9 2:\xF0\x9F\x98\x80:1:2 "},
        {"9007199254740991,9007199254740992\n", "1::9007199254740991:9007199254740992 "},
        {"x,1e\n3,10\n", "2::3:10 "},  // no number: a header
        {"\t\t\n\nA;1;10\nB;2;20\n", "3:A:1:10 4:B:2:20 "},  // the first record not blank
        {"\"a\rb\",1,10\nB,2,20\n", "1:a\rb:1:10 3:B:2:20 "},  // a quoted CR counts as a line end
        {"Gr\xf6\xdf\x80,1,10\n", "1:Gr\u00f6\u00df\u20ac:1:10 "},  // Windows-1252
        {"Lot,Defects,Opportunities,DPMO,Defects (%),Yield (%),Process Sigma Level\nA,1,10\nB,2,20\nPooled,5,70\n", "2:A:1:10 3:B:2:20 "},  // stale
        {"A,1,10\nB,2,20\nPooled,5,70\n", "1:A:1:10 2:B:2:20 3:Pooled:5:70 "},  // no header: a sample
        {"A,1,10\nB,2,20\n", "1:A:1:10 2:B:2:20 "},
        {"12\" pipe;1;100\nB;3;50\n", "1:12\" pipe:1:100 2:B:3:50 "},  // inches
        {"Line 3, \"north;1;100\nB;2;20\n", "1:Line 3, \"north:1:100 2:B:2:20 "},
        {"\"a\"\";,b\"\t1\t10\n", "1:a\";,b:1:10 "},
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
    const std::string mend = ": save the table as \"CSV UTF-8\" and open that.|";
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"Lot,Defects,Opportunities\nA,12,10\nB,1,\nC,,\n", "line 2: defects (12) exceed opportunities (10)|line 3: the opportunities are missing|line 4: the defects and the opportunities are missing|"},
        {"7.0,1500\n", "line 1: defects \"7.0\" is not a whole number in digits (write 7)|"},
        {"Lot,Defects,Opportunities\nA,\"1,500\",2000\n", "line 2: defects \"1,500\" is not a whole number in digits (write 1500)|"},
        {"1;1 500\n2;1.000\n3;1_0\n", "line 1: opportunities \"1 500\" is not a whole number in digits (write 1500)|line 2: opportunities \"1.000\" is not a whole number in digits|line 3: opportunities \"1_0\" is not a whole number in digits|"},
        {" -3, -10\n", "line 1: defects \"-3\" is not a whole number in digits|"},
        {"1e+3,2e+3\n", "line 1: defects \"1e+3\" is not a whole number in digits|"},
        {"0,0\n", "line 1: no opportunities: a sample needs at least one|"},
        {"1,9007199254740993\n", "line 1: opportunities (9007199254740993) exceed 2^53, the largest count|"},
        {"1,2,3,4\n5\n", "line 1: a row holds two counts, defects then opportunities, perhaps after a label; this one has 4 fields|line 2: a row holds two counts, defects then opportunities, perhaps after a label; this one has 1 field|"},
        {"Mon,12,1000\nTue,3,1,000\n", "line 2: a row holds two counts, defects then opportunities, perhaps after a label; this one has 4 fields|"},
        {"Lot 1,,\n3,10\n", "line 1: the defects and the opportunities are missing|"},  // no header
        {"Defects,Opportunities\n5,,\n\"\"\n", "line 2: the opportunities are missing|line 3: the defects and the opportunities are missing|"},
        {"1,2\n\"\"\n", "line 2: the defects and the opportunities are missing|"},
        {"Lot,Defects,Opportunities\nLine 1, 2,7,1500\nB,1,2,,\n", "line 2: the row holds 4 fields where the header names 3 columns|"},
        {"Date,Defects,Rework\nMon,1,2\n", "line 1: the header names Defects but no Opportunities column|"},
        {"\nLot,opportunities\n1,2\n", "line 2: the header names Opportunities but no Defects column|"},
        {"Defects,Opportunities,DEFECTS\n1,2,3\n", "line 1: the header names Defects twice, in columns 1 and 3|"},
        {"A,10,2000\nB,12,4000\nTotal,22,6000\n\n", "line 3 holds the totals of the rows above it (22 in 6000): remove it|"},
        {"A,\"1\nB,2,3\n", "line 1: a quoted field is never closed|"},
        {"1" + std::string(20000, ',') + "\n", "line 1: the row holds more than 16384 fields|"},
        {"1,9007199254740992\n1,1\n", "The total of the opportunities exceeds 2^53 (9007199254740992), the largest count whose figures are exact.|"},
        {"2e1,1e3\n3,10\n", "line 1: defects \"2e1\" is not a whole number in digits|"},  // numbers: a row
        {"Lot,Defects,Opportunities\n\n ,\n", "The table holds no samples: each row needs its defects and its opportunities.|"},
        {"", "The table holds no samples: each row needs its defects and its opportunities.|"},
        {std::string("7,15\n\0" "00\n", 9), "line 2: byte 0x00 is not text" + mend},
        {"A,1,10\r\nB\x81,2,20\n", "line 2: byte 0x81 is not text" + mend},
        {"\xEF\xBB\xBF" "A,1,10\n\xC3(,1,2", "line 2: byte 0xC3 is not text" + mend},  // marked as UTF-8
        {Utf16(u"1,2\n3,4\xD83D\xE000", false), "line 2: the UTF-16 text holds half a surrogate pair" + mend},
        {Utf16(std::u16string_view(u"1,2\0", 4), true), "line 1: the text holds a NUL character" + mend},
        {Utf16(u"1,2\n3,4", true) + "\n", "line 2: the file ends in half a UTF-16 character" + mend},
        {"\xFF\xFE" + Utf16(u"1,2\n", true).substr(2), "line 1: the byte order mark says UTF-16 little-endian, but the text is big-endian" + mend},
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
