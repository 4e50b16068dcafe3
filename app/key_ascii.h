#pragma once

class QKeyEvent;

namespace tallyvane::toolkit {

// The character code that a key press types, or -1 for a key that types no character
// (arrows, Home, End, Delete, Tab, a lone modifier). Ctrl with a letter gives its control code
// (Ctrl+C 3, Ctrl+V 22, Ctrl+X 24) on every platform.
int KeyAsciiOf(const QKeyEvent& event);

}  // namespace tallyvane::toolkit
