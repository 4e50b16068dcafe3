#pragma once

#include <stdexcept>

namespace tallyvane {

// A report that was not printed, with the text the user is shown.
class PrintFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tallyvane
