#pragma once

namespace tallyvane {

struct WindowOrigin {
    float left;
    float top;
};

// The outer top-left corner that centres a window on the screen, all in twips. Single
// precision, neither rounded nor clamped: a window larger than the screen gets a negative
// coordinate.
WindowOrigin CentredOrigin(float screenWidth, float screenHeight, float windowWidth,
                           float windowHeight);

}  // namespace tallyvane
