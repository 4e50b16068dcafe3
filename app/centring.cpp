#include "app/centring.h"

#include "stats/checked.h"

namespace tallyvane {

WindowOrigin CentredOrigin(float screenWidth, float screenHeight, float windowWidth,
                           float windowHeight) {
    const auto half = [](float screen, float window) {
        const float difference = static_cast<float>(Checked(screen - window));
        return static_cast<float>(Checked(difference * 0.5f));
    };
    return WindowOrigin{half(screenWidth, windowWidth), half(screenHeight, windowHeight)};
}

}  // namespace tallyvane
