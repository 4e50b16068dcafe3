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

    // Program-defined errors number from 0x80040000 (as a signed 32-bit value).
    static constexpr long kProgramErrorBase = -2147221504;
    static constexpr long kInvalidArgument = 5;
    static constexpr long kOverflow = 6;

    MathFault(Kind kind, long number, const std::string& description)
        : std::runtime_error(description), m_kind(kind), m_number(number) {}

    Kind kind() const { return m_kind; }
    long number() const { return m_number; }
    std::string description() const { return what(); }

private:
    Kind m_kind;
    long m_number;
};

}  // namespace tallyvane
