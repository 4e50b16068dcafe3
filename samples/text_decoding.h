#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyvane {

// The largest table file read.
inline constexpr std::size_t kLargestTableFile = std::size_t{64} << 20;
// How much of a file to read: one byte past the largest table is enough to refuse a larger
// file, or a device that never ends, without holding it all.
inline constexpr std::size_t kTableFileReadSize = kLargestTableFile + 1;

// How a table file was written, so that it can be written back the same way.
enum class TextEncoding {
    kUtf8,
    kUtf8WithBom,
    kUtf16LittleEndian,  // with its byte order mark, as a spreadsheet's "Unicode text"
    kUtf16BigEndian,
    kWindows1252,  // a Windows spreadsheet's "CSV (Comma delimited)": not UTF-8, no mark
};

struct DecodedText {
    std::string text;  // UTF-8 without a byte order mark
    TextEncoding encoding = TextEncoding::kUtf8;
};

// A file's bytes as UTF-8 text: UTF-8 with or without a byte order mark, UTF-16 little- or
// big-endian with one, and bytes that are not UTF-8 and have no mark as Windows-1252. Takes the
// bytes over, so that UTF-8 is not copied. Throws TableRefused for a file above 64 MiB, or bytes
// that are no text in any of these (a NUL, a byte that Windows-1252 leaves undefined, broken
// UTF-16, a mark that contradicts the bytes), naming the line and how to mend it.
DecodedText DecodeTable(std::string bytes);

// What every view says of a file read as other than Unicode; empty for Unicode.
std::string_view EncodingNote(TextEncoding encoding);

// UTF-8 text as a file of that encoding, its byte order mark first where it has one; a
// Windows-1252 file is written back as UTF-8 with a mark, which every spreadsheet reads.
std::string EncodeText(std::string_view text, TextEncoding encoding);

}  // namespace tallyvane
