#pragma once

namespace tallyvane {

// Whether each text that the notes make of a defect fraction (its DPMO to three significant
// digits, its percentage and the sigma level to two decimals, and so the yield's percentage,
// whose edges are the defect percentage's mirrored) is the same for every fraction within
// `within` of `fraction`. Each is a rounding of a smooth, monotone function of the fraction,
// which moves by at most its slope times `within`.
bool NoteTextsHoldWithin(double fraction, double within);

}  // namespace tallyvane
