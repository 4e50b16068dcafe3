#include "app/message_box_warnings.h"

#include <QApplication>
#include <QMessageBox>

namespace tallyvane {

void MessageBoxWarnings::warn(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                    QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
}

}  // namespace tallyvane
