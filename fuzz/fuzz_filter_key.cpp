// FilterKey on any code: the verdict depends on the code alone and follows the rule.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "calc/filter_key.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(int))
        return 0;
    int code;
    std::memcpy(&code, data, sizeof code);
    const tallyvane::KeyVerdict verdict = tallyvane::FilterKey(code);
    const bool passes = (code >= '0' && code <= '9') || code == '.' || code == 8;
    FUZZ_CHECK((verdict == tallyvane::KeyVerdict::kPass) == passes);
    FUZZ_CHECK((verdict == tallyvane::KeyVerdict::kMoveFocus) == (code == 13));
    FUZZ_CHECK(tallyvane::FilterKey(code) == verdict);
    return 0;
}
