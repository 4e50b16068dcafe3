#include "samples/text_decoding.h"

#include <string_view>

#include "samples/table_refused.h"

namespace tallyvane {
namespace {

[[noreturn]] void NotText() {
    throw TableRefused(
        {"The file is not text: save the table as CSV or as tab-separated text, and open that."});
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) {
        NotText();
    }
    std::string out;
    out.reserve(bytes.size() / 2 + bytes.size() / 8);
    const auto unit = [&](std::size_t i) {
        const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 2 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            NotText();
        }
        if (c == 0) {
            NotText();
        }
        AppendUtf8(out, c);
    }
    return out;
}

// Well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF) without a NUL.
bool IsText(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b == 0) {
            return false;
        }
        if (b < 0x80) {
            ++i;
            continue;
        }
        const int length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
        if (length == 0 || b > 0xF4 || i + length > s.size()) {
            return false;
        }
        char32_t c = b & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            c = c << 6 | (next & 0x3F);
        }
        if ((length == 3 && (c < 0x800 || (c >= 0xD800 && c < 0xE000))) ||
            (length == 4 && (c < 0x10000 || c > 0x10FFFF))) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

std::string DecodeText(std::string bytes) {
    if (bytes.size() > kLargestTableFile) {
        throw TableRefused({"The file is larger than 64 MiB: split the table into smaller ones."});
    }
    const std::string_view view(bytes);
    if (view.starts_with("\xFF\xFE") || view.starts_with("\xFE\xFF")) {
        return FromUtf16(view.substr(2), view[0] == '\xFE');
    }
    if (view.starts_with("\xEF\xBB\xBF")) {
        bytes.erase(0, 3);
    }
    if (!IsText(bytes)) {
        NotText();
    }
    return bytes;
}

}  // namespace tallyvane
