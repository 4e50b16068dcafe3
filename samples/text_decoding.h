#pragma once

#include <cstddef>
#include <string>

namespace tallyvane {

// The largest table file read.
inline constexpr std::size_t kLargestTableFile = std::size_t{64} << 20;
// How much of a file to read: one byte past the largest table is enough to refuse a larger
// file, or a device that never ends, without holding it all.
inline constexpr std::size_t kTableFileReadSize = kLargestTableFile + 1;

// A file's bytes as UTF-8 text without a byte order mark: UTF-8 with or without one, or UTF-16
// little- or big-endian with one (a spreadsheet's "Unicode text"). Takes the bytes over, so
// that UTF-8 is not copied. Throws TableRefused for a file above 64 MiB, or bytes that are not
// such text (a NUL, a broken sequence or a lone surrogate).
std::string DecodeText(std::string bytes);

}  // namespace tallyvane
