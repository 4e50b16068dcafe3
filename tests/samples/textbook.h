#pragma once

#include <vector>

// The orange-juice cans of the standard SPC textbook: the defectives in 30 samples of 50.
inline const std::vector<int> kOrangeJuice{12, 15, 8, 10, 4,  7,  16, 9,  14, 10, 5,  6, 17, 12, 22,
                                           8,  10, 5, 13, 11, 20, 18, 24, 15, 9,  12, 7, 13, 9,  6};
