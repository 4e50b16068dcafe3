#pragma once

#include <string>
#include <string_view>

namespace tallyvane {

// Text to put in XML or HTML, in an element or a quoted attribute: markup characters escaped,
// the control characters that XML forbids made blanks, and the noncharacters U+FFFE and U+FFFF
// that it forbids too made U+FFFD.
std::string XmlText(std::string_view text);

}  // namespace tallyvane
