#include "app/message_box.h"

#include <QMessageBox>
#include <utility>

namespace tallyvane {
namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

int ShowModal(QWidget* parent, const QString& prompt, int buttons, const QString& title) {
    const bool okCancel = (buttons & 0x0F) == 1;
    const QMessageBox::Icon icon =
        (buttons & 0x30) == 0x30 ? QMessageBox::Warning : QMessageBox::NoIcon;
    QMessageBox box(icon, title, prompt,
                    okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(okCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Cancel ? kMsgBoxAnswerCancel : kMsgBoxAnswerOk;
}

}  // namespace

int MsgBox(QWidget* parent, const QString& prompt, int buttons, const QString& title) {
    if (Hook()) {
        return Hook()(parent, prompt, buttons, title);
    }
    return ShowModal(parent, prompt, buttons, title);
}

void SetMessageBoxHook(MessageBoxHook hook) {
    Hook() = std::move(hook);
}

}  // namespace tallyvane
