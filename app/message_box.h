#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tallyvane {

// Button code 49: OK and Cancel with the exclamation-mark icon, OK the default.
inline constexpr int kMsgBoxOkCancelExclamation = 49;
inline constexpr int kMsgBoxAnswerOk = 1;
inline constexpr int kMsgBoxAnswerCancel = 2;

// Shows a modal message box and returns the button pressed.
int MsgBox(QWidget* parent, const QString& prompt, int buttons, const QString& title);

// Tests replace the modal box with a function of their own; an empty function restores it.
using MessageBoxHook =
    std::function<int(QWidget* parent, const QString& prompt, int buttons, const QString& title)>;
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace tallyvane
