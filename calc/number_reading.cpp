#include "calc/number_reading.h"

#include <cstddef>

#include "calc/double_chars.h"

namespace tallyvane {
namespace {

struct LeadingNumber {
    std::size_t length = 0;
    bool hasDigit = false;
};

LeadingNumber ScanLeadingNumber(std::string_view text) {
    LeadingNumber n;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            n.hasDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    n.length = i;
    return n;
}

}  // namespace

bool IsCountText(std::string_view text) {
    if (text.find_first_not_of(' ') == std::string_view::npos) {
        return true;
    }
    if (text.front() == '-') {
        text.remove_prefix(1);
    }
    return text.find_first_not_of("0123456789.") == std::string_view::npos;
}

Count ReadCount(std::string_view text) {
    const LeadingNumber n = ScanLeadingNumber(text);
    if (!n.hasDigit) {
        return {text, 0.0, std::nullopt};
    }
    const std::optional<double> value = ParseDouble(text.substr(0, n.length));
    return {text, value, n.length == text.size() ? value : std::nullopt};
}

}  // namespace tallyvane
