#pragma once

#include "app/warnings.h"

namespace tallyvane {

// Warnings in a QMessageBox, modal over the active window.
class MessageBoxWarnings : public Warnings {
public:
    void warn(const QString& text) override;
};

}  // namespace tallyvane
