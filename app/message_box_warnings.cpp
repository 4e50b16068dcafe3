#include "app/message_box_warnings.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

#include "calc/warning_texts.h"

namespace tallyvane {

void MessageBoxWarnings::warn(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(warning::kTitle), text,
                    QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    if (auto* icon = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label")))
        icon->setAccessibleName(box.windowTitle());
    box.exec();
}

}  // namespace tallyvane
