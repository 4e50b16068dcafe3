#pragma once

#include <stdexcept>
#include <string>

namespace tallyvane {

// A computation that cannot produce a finite value. No value is ever returned alongside one:
// the routine that raises it stops there.
class MathFault : public std::runtime_error {
public:
    enum class Kind {
        OutOfRange,     // an argument outside the routine's domain
        LogOfZero,      // the natural logarithm was asked for ln(0)
        FloatingPoint,  // an overflow, a division by zero or an invalid operation
    };

    MathFault(Kind kind, const std::string& description)
        : std::runtime_error(description), m_kind(kind) {}

    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

}  // namespace tallyvane
