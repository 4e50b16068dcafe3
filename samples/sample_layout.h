#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tallyvane {

// Where a table's samples stand, as its first record that is not blank sets it. That record is
// a header where it holds no number of any form and at least two names; else it is the first
// row. Where the header names a "Defects" and an "Opportunities" column, the counts come from
// those, a row's stage and the reason it is set aside from columns "Stage" and "Excluded" where
// the header names them, and the label from the first other column that is not one of
// Tallyvane's results; elsewhere a row holds an optional label, then the defects and the
// opportunities.
struct SampleLayout {
    bool header = false;
    std::size_t width = 0;  // the header's columns, trailing blank ones left out
    std::optional<std::size_t> defects, opportunities, label;  // where the header names them
    std::optional<std::size_t> stage, excluded;
    // The header's columns that Tallyvane writes, worked out again and never read; only where
    // the header names the counts, for a table read by position has no columns but the user's.
    std::vector<bool> results;
    // The header names all four results: the table is Tallyvane's own, and a last row "Pooled"
    // is its totals, made again, never a sample.
    bool ownResults = false;

    bool isResult(std::size_t column) const { return column < results.size() && results[column]; }
};

// The layout that a first record sets. Throws TableRefused, naming the line, for a header that
// names one count column and not the other, or any column twice: positions are never guessed
// then.
SampleLayout LayoutOf(std::span<const std::string> first, std::size_t line);

}  // namespace tallyvane
