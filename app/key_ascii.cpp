#include "app/key_ascii.h"

#include <QKeyEvent>

namespace tallyvane::toolkit {

int KeyAsciiOf(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key >= Qt::Key_A &&
        key <= Qt::Key_Z) {
        return key - Qt::Key_A + 1;
    }
    const QString text = event.text();
    // Tab and Backtab move the focus before any box sees them; Delete edits.
    if (text.isEmpty() || key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        return -1;
    }
    return text.at(0).unicode();
}

}  // namespace tallyvane::toolkit
