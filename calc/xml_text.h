#pragma once

#include <string>
#include <string_view>

namespace tallyvane {

// Text to put in XML or HTML, in an element or a quoted attribute: markup characters escaped,
// and the control characters that XML forbids made blanks.
std::string XmlText(std::string_view text);

}  // namespace tallyvane
