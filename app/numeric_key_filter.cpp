#include "app/numeric_key_filter.h"

#include <QKeyEvent>

#include "calc/filter_key.h"

namespace tallyvane {
namespace {

// The character code a key press types, or -1 for a key that types none (arrows, Home, End,
// Delete, Tab, a lone modifier). Ctrl with a letter gives its control code (Ctrl+V 22) on
// every platform, so that editing shortcuts are judged like any other character.
int TypedCharacterCode(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key >= Qt::Key_A &&
        key <= Qt::Key_Z) {
        return key - Qt::Key_A + 1;
    }
    const QString text = event.text();
    if (text.isEmpty() || key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        return -1;
    }
    return text.at(0).unicode();
}

}  // namespace

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const int code = TypedCharacterCode(*static_cast<QKeyEvent*>(event));
    if (code < 0) {
        return false;
    }
    switch (FilterKey(code)) {
        case KeyVerdict::kPass:
            return false;
        case KeyVerdict::kMoveFocus:
            emit enterPressed(watched);
            return true;
        case KeyVerdict::kSwallow:
            break;
    }
    return true;
}

}  // namespace tallyvane
