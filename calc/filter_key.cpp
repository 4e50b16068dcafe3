#include "calc/filter_key.h"

#include <string_view>

namespace tallyvane {

KeyVerdict FilterKey(int keyAscii) {
    constexpr std::string_view kAllowed = "0123456789.";
    const bool allowed = keyAscii > 0 && keyAscii < 128 &&
                         kAllowed.find(static_cast<char>(keyAscii)) != std::string_view::npos;
    if (allowed || keyAscii == kKeyBackspace) {
        return KeyVerdict::kPass;
    }
    if (keyAscii == kKeyEnter) {
        return KeyVerdict::kMoveFocus;
    }
    return KeyVerdict::kSwallow;
}

}  // namespace tallyvane
