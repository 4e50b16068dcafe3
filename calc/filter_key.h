#pragma once

namespace tallyvane {

enum class KeyVerdict {
    kPass,       // the character reaches the box unchanged
    kSwallow,    // the box receives nothing
    kMoveFocus,  // Enter: nothing is typed, the focus moves on
};

inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;

// Judges one typed character code on its own: digits, "." and Backspace pass, Enter moves the
// focus, everything else (signs, blanks, letters, control codes such as Ctrl+V's 22) is
// swallowed.
KeyVerdict FilterKey(int keyAscii);

}  // namespace tallyvane
