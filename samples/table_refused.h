#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tallyvane {

// A table of samples that gives no figures at all, with every reason the user is shown: one
// sentence for the whole file, or the bad lines.
class TableRefused : public std::runtime_error {
public:
    explicit TableRefused(std::vector<std::string> reasons)
        : std::runtime_error(reasons.empty() ? std::string() : reasons.front()),
          m_reasons(std::move(reasons)) {}
    const std::vector<std::string>& reasons() const { return m_reasons; }

private:
    std::vector<std::string> m_reasons;
};

}  // namespace tallyvane
