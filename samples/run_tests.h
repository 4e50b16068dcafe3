#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallyvane {

// The tests for special causes that a row fails, a bit each: test n is bit n - 1.
using Signals = std::uint8_t;
inline constexpr int kRunTests = 4;
inline constexpr Signals kAllTests = 0x0F;

// "1, 3": the tests' numbers; and in words: "Test 1: one point beyond the limits. Test 3: ...".
std::string SignalNumbers(Signals failed);
std::string SignalWords(Signals failed);
// "nine points in a row on the same side of the centre": what test 1 to 4 looks for.
inline std::string_view TestWords(int test) {
    static constexpr std::array<std::string_view, kRunTests> kWords{
        "one point beyond the limits", "nine points in a row on the same side of the centre",
        "six points in a row, each higher than the last, or each lower",
        "fourteen points in a row, alternating up and down"};
    return kWords[static_cast<std::size_t>(test - 1)];
}
// The tests that "1,2,4" or "1, 2, 4" chooses; none for anything but numbers from 1 to 4, commas
// apart.
std::optional<Signals> ParseTests(std::string_view text);

// The classic tests for special causes on one stage's samples that count, in order, on their
// standardised values (the distance from the centre in units of the row's sigma):
//  1. one point beyond the limits;
//  2. nine points in a row on the same side of the centre;
//  3. six points in a row, each higher than the last, or each lower;
//  4. fourteen points in a row, alternating up and down.
// A point on the centre breaks a run of test 2, and equal neighbours break tests 3 and 4. A test
// marks the point that completes its pattern and each point after it while the pattern goes on.
class RunTests {
public:
    explicit RunTests(Signals chosen = kAllTests) : m_chosen(chosen) {}
    // The tests the next point fails.
    Signals add(double standardised, bool beyond);

private:
    Signals m_chosen;
    bool m_first = true;
    double m_last = 0.0;
    int m_side = 0, m_step = 0;
    int m_sameSide = 0, m_monotone = 0, m_alternating = 0;
};

}  // namespace tallyvane
