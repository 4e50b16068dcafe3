#include "app/numeric_key_filter.h"

#include <QInputMethodEvent>
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

// Text that an input method commits (IBus, Fcitx, an on-screen keyboard) arrives without a key
// press: each of its characters is judged as if typed, and only those that would pass stay.
void FilterCommittedText(QInputMethodEvent& event) {
    QString kept;
    for (const char32_t c : event.commitString().toUcs4()) {
        if (c != kKeyBackspace && FilterKey(static_cast<int>(c)) == KeyVerdict::kPass) {
            kept += QChar(c);
        }
    }
    if (kept != event.commitString()) {
        event.setCommitString(kept, event.replacementStart(), event.replacementLength());
    }
}

}  // namespace

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod) {
        FilterCommittedText(*static_cast<QInputMethodEvent*>(event));
        return false;
    }
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
