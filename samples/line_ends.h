#pragma once

#include <cstddef>
#include <string_view>

namespace tallyvane {

// How long the line end at `at` is: 2 for CRLF, 1 for a lone LF or CR, 0 for none. Every reader
// of a table counts lines by this one rule, inside quoted fields as outside them.
inline std::size_t LineEndAt(std::string_view text, std::size_t at) {
    if (at >= text.size() || (text[at] != '\n' && text[at] != '\r')) {
        return 0;
    }
    return text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

// The line that `at` stands on, from 1.
inline std::size_t LineOf(std::string_view text, std::size_t at) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < at && i < text.size();) {
        const std::size_t end = LineEndAt(text, i);
        line += end > 0;
        i += end > 0 ? end : 1;
    }
    return line;
}

}  // namespace tallyvane
