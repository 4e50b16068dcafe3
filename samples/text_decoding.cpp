#include "samples/text_decoding.h"

#include <array>
#include <cstdio>

#include "samples/line_ends.h"
#include "samples/table_refused.h"

namespace tallyvane {
namespace {

constexpr std::string_view kMend = ": save the table as \"CSV UTF-8\" and open that.";

[[noreturn]] void Refuse(std::size_t line, const std::string& what) {
    throw TableRefused({"line " + std::to_string(line) + ": " + what + std::string(kMend)});
}

// Windows-1252's 0x80 to 0x9F; 0 where it defines no character.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

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
    const auto unit = [&](std::size_t i, bool big) {
        const auto hi = static_cast<unsigned char>(bytes[i + (big ? 0 : 1)]);
        const auto lo = static_cast<unsigned char>(bytes[i + (big ? 1 : 0)]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    // A table is mostly digits, separators and line ends: read the wrong way round, they all
    // fall past U+00FF.
    std::size_t narrow = 0, narrowSwapped = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        narrow += unit(i, bigEndian) < 0x100;
        narrowSwapped += unit(i, !bigEndian) < 0x100;
    }
    if (narrowSwapped > narrow) {
        Refuse(1, std::string("the byte order mark says UTF-16 ") +
                      (bigEndian ? "big-endian, but the text is little-endian"
                                 : "little-endian, but the text is big-endian"));
    }
    std::string out;
    out.reserve(bytes.size() / 2 + bytes.size() / 8);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        if (i + 1 == bytes.size()) {
            Refuse(LineOf(out, out.size()), "the file ends in half a UTF-16 character");
        }
        char32_t c = unit(i, bigEndian);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2, bigEndian) >= 0xDC00 &&
            unit(i + 2, bigEndian) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2, bigEndian) - 0xDC00);
            i += 2;
        } else if ((c >= 0xD800 && c < 0xE000) || c == 0) {
            Refuse(LineOf(out, out.size()), c == 0 ? std::string("the text holds a NUL character")
                                                   : "the UTF-16 text holds half a surrogate pair");
        }
        AppendUtf8(out, c);
    }
    return out;
}

// The length of the well-formed UTF-8 sequence at `i` (no overlong forms, surrogates or values
// past U+10FFFF); 0 for none.
std::size_t Utf8SequenceAt(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        return 1;
    }
    const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
    if (length == 0 || b > 0xF4 || i + length > s.size()) {
        return 0;
    }
    char32_t c = b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        c = c << 6 | (next & 0x3F);
    }
    if ((length == 3 && (c < 0x800 || (c >= 0xD800 && c < 0xE000))) ||
        (length == 4 && (c < 0x10000 || c > 0x10FFFF))) {
        return 0;
    }
    return length;
}

bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0, length; i < s.size(); i += length) {
        if ((length = Utf8SequenceAt(s, i)) == 0) {
            return false;
        }
    }
    return true;
}

[[noreturn]] void RefuseByte(std::string_view bytes, std::size_t at) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(bytes[at]));
    Refuse(LineOf(bytes, at), "byte " + std::string(hex) + " is not text");
}

std::string FromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const char32_t c = b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : b;
        if (c == 0) {
            RefuseByte(bytes, i);
        }
        AppendUtf8(out, c);
    }
    return out;
}

void AppendUtf16(std::string& out, char32_t c, bool bigEndian) {
    const auto put = [&](char32_t unit) {
        const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    if (c >= 0x10000) {
        put(0xD800 + ((c - 0x10000) >> 10));
        put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        put(c);
    }
}

}  // namespace

DecodedText DecodeTable(std::string bytes) {
    if (bytes.size() > kLargestTableFile) {
        throw TableRefused({"The file is larger than 64 MiB: split the table into smaller ones."});
    }
    const std::string_view view(bytes);
    if (view.starts_with("\xFF\xFE") || view.starts_with("\xFE\xFF")) {
        const bool big = view[0] == '\xFE';
        return {FromUtf16(view.substr(2), big),
                big ? TextEncoding::kUtf16BigEndian : TextEncoding::kUtf16LittleEndian};
    }
    if (const std::size_t nul = view.find('\0'); nul != std::string_view::npos) {
        RefuseByte(view, nul);
    }
    if (view.starts_with("\xEF\xBB\xBF")) {
        if (!IsUtf8(view)) {  // marked as UTF-8: no other reading is right
            std::size_t at = 0;
            while (Utf8SequenceAt(view, at) != 0) {
                at += Utf8SequenceAt(view, at);
            }
            RefuseByte(view, at);
        }
        bytes.erase(0, 3);
        return {std::move(bytes), TextEncoding::kUtf8WithBom};
    }
    if (IsUtf8(view)) {
        return {std::move(bytes), TextEncoding::kUtf8};
    }
    return {FromWindows1252(view), TextEncoding::kWindows1252};
}

std::string_view EncodingNote(TextEncoding encoding) {
    return encoding == TextEncoding::kWindows1252
               ? "The file is not UTF-8: it was read as Windows-1252, as a Windows spreadsheet "
                 "writes CSV."
               : "";
}

std::string EncodeText(std::string_view text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::kUtf8:
            return std::string(text);
        case TextEncoding::kUtf8WithBom:
        case TextEncoding::kWindows1252:
            return "\xEF\xBB\xBF" + std::string(text);
        case TextEncoding::kUtf16LittleEndian:
        case TextEncoding::kUtf16BigEndian:
            break;
    }
    const bool big = encoding == TextEncoding::kUtf16BigEndian;
    std::string out = big ? "\xFE\xFF" : "\xFF\xFE";
    out.reserve(2 + text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        char32_t c = length == 1 ? b : b & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        AppendUtf16(out, c, big);
        i += length;
    }
    return out;
}

}  // namespace tallyvane
