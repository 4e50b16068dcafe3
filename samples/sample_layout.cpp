#include "samples/sample_layout.h"

#include <algorithm>
#include <cctype>

#include "samples/sample_columns.h"
#include "samples/table_records.h"
#include "samples/table_refused.h"

namespace tallyvane {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number as any program might write one: a sign, digits with points, commas or blanks among
// them, an exponent. Such a field makes the first record a row, not a header.
bool IsNumberOfAnyForm(std::string_view s) {
    s = Trimmed(s);
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        s.remove_prefix(1);
    }
    const std::size_t exponent = s.find_first_of("eE");
    std::string_view mantissa = s.substr(0, exponent);
    if (exponent != std::string_view::npos) {
        std::string_view power = s.substr(exponent + 1);
        if (!power.empty() && (power.front() == '-' || power.front() == '+')) {
            power.remove_prefix(1);
        }
        if (power.empty() || !std::all_of(power.begin(), power.end(), IsDigit)) {
            return false;
        }
    }
    return std::any_of(mantissa.begin(), mantissa.end(), IsDigit) &&
           mantissa.find_first_not_of("0123456789., ") == std::string_view::npos;
}

bool SameWord(std::string_view a, std::string_view b) {
    a = Trimmed(a);
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

SampleLayout LayoutOf(std::span<const std::string> first, std::size_t line) {
    SampleLayout layout;
    const auto names = std::count_if(first.begin(), first.end(),
                                     [](const std::string& f) { return !Trimmed(f).empty(); });
    if (names < 2 || std::any_of(first.begin(), first.end(),
                                 [](const std::string& f) { return IsNumberOfAnyForm(f); })) {
        return layout;
    }
    layout.header = true;
    layout.width = Width(first);
    layout.results.assign(first.size(), false);
    const std::string where = "line " + std::to_string(line) + ": the header names ";
    for (std::size_t i = 0; i < first.size(); ++i) {
        for (const auto& [name, column] :
             {std::pair{"Defects", &layout.defects},
              std::pair{"Opportunities", &layout.opportunities}, std::pair{"Stage", &layout.stage},
              std::pair{"Excluded", &layout.excluded}}) {
            if (SameWord(first[i], name) && *column) {
                throw TableRefused({where + name + " twice, in columns " +
                                    std::to_string(**column + 1) + " and " +
                                    std::to_string(i + 1)});
            }
            if (SameWord(first[i], name)) {
                *column = i;
            }
        }
    }
    // Tallyvane's results are the columns it writes after the user's: from the last "DPMO" that
    // the three other results follow, every column to the end names a result. A user's column
    // named like one ("Centre") before them stays the user's.
    const auto isResult = [](std::string_view name) {
        return Trimmed(name).empty() ||
               std::any_of(kFileColumns.begin() + kFirstResultColumn, kFileColumns.end(),
                           [name](std::string_view r) { return SameWord(name, r); });
    };
    for (std::size_t k = first.size(); k-- > 0;) {
        bool own = k + 4 <= first.size();
        for (std::size_t r = 0; own && r < 4; ++r) {
            own = SameWord(first[k + r], kFileColumns[kFirstResultColumn + r]);
        }
        if (own && std::all_of(first.begin() + static_cast<long>(k), first.end(), isResult)) {
            std::fill(layout.results.begin() + static_cast<long>(k), layout.results.end(), true);
            layout.ownResults = true;
            break;
        }
    }
    if (layout.defects.has_value() != layout.opportunities.has_value()) {
        throw TableRefused({where + (layout.defects ? "Defects but no Opportunities column"
                                                    : "Opportunities but no Defects column")});
    }
    if (!layout.defects) {  // read by position: every column is the user's
        layout.results.clear();
        layout.ownResults = false;
        layout.stage.reset();
        layout.excluded.reset();
    } else {
        for (std::size_t i = 0; i < first.size() && !layout.label; ++i) {
            if (i != *layout.defects && i != *layout.opportunities && i != layout.stage &&
                i != layout.excluded && !layout.results[i]) {
                layout.label = i;
            }
        }
        layout.width = std::max(layout.width, layout.label.value_or(0) + 1);
    }
    return layout;
}

}  // namespace tallyvane
