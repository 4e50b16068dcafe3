#include "cli/pair_report.h"

#include <nlohmann/json.hpp>

#include "calc/design.h"

namespace tallyvane {

void WritePairText(const CalculatePlan& plan, std::ostream& out) {
    for (std::size_t i = 0; i < plan.texts.size(); ++i) {
        out << design::RowCaption(i + 2) << ": " << plan.texts[i];
        if (!plan.notes[i].empty()) {
            out << "  (" << plan.notes[i] << ")";
        }
        out << '\n';
    }
}

void WritePairJson(const CalculatePlan& plan, std::ostream& out) {
    out << nlohmann::ordered_json{{"texts", plan.texts}, {"notes", plan.notes}}.dump() << '\n';
}

}  // namespace tallyvane
