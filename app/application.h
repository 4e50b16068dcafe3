#pragma once

namespace tallyvane {

// Names the running application for the window system and the desktop and sets its default
// font: the program and the start-up benchmark both call this before their window is built.
void ConfigureApplication();

}  // namespace tallyvane
