#include "samples/run_tests.h"

#include "samples/table_records.h"

namespace tallyvane {
namespace {

constexpr int kSameSide = 9, kMonotone = 6, kAlternating = 14;

int Sign(double value) {
    return (value > 0.0) - (value < 0.0);
}

}  // namespace

std::string SignalNumbers(Signals failed) {
    std::string numbers;
    for (int test = 1; test <= kRunTests; ++test) {
        if (failed & (1 << (test - 1))) {
            numbers += (numbers.empty() ? "" : ", ") + std::to_string(test);
        }
    }
    return numbers;
}

std::string SignalWords(Signals failed) {
    std::string words;
    for (int test = 1; test <= kRunTests; ++test) {
        if (failed & (1 << (test - 1))) {
            words += (words.empty() ? "Test " : " Test ") + std::to_string(test) + ": " +
                     std::string(TestWords(test)) + ".";
        }
    }
    return words;
}

std::optional<Signals> ParseTests(std::string_view text) {
    Signals tests = 0;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view number = Trimmed(text.substr(0, comma));
        if (number.size() != 1 || number[0] < '1' || number[0] > '0' + kRunTests) {
            return std::nullopt;
        }
        tests |= static_cast<Signals>(1 << (number[0] - '1'));
        if (comma == std::string_view::npos) {
            return tests;
        }
        text.remove_prefix(comma + 1);
    }
}

Signals RunTests::add(double z, bool beyond) {
    const int side = Sign(z);
    m_sameSide = side == 0 ? 0 : side == m_side ? m_sameSide + 1 : 1;
    m_side = side;
    const int step = m_first ? 0 : Sign(z - m_last);
    m_monotone = step == 0 ? 1 : step == m_step ? m_monotone + 1 : 2;
    m_alternating = step == 0 ? 1 : step == -m_step ? m_alternating + 1 : 2;
    m_step = step;
    m_last = z;
    m_first = false;
    const Signals found =
        static_cast<Signals>(beyond | (m_sameSide >= kSameSide) << 1 |
                             (m_monotone >= kMonotone) << 2 | (m_alternating >= kAlternating) << 3);
    return found & m_chosen;
}

}  // namespace tallyvane
