#pragma once

#include <string>

#include "samples/chart_scene.h"

namespace tallyvane {

// The scene as SVG Tiny 1.2, which browsers and Qt SVG render alike: its title first, then each
// mark in order, a mark's meaning as its own title, for tooltips and screen readers.
std::string ChartSvg(const ChartScene& scene);

}  // namespace tallyvane
