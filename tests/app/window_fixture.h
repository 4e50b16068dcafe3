#pragma once

#include <QLineEdit>
#include <QTest>

#include "app/main_window.h"
#include "app/warnings.h"

namespace tallyvane::testing {

class RecordedWarnings : public Warnings {
public:
    void warn(const QString& text) override { texts << text; }
    QStringList texts;
};

// A fresh window whose warnings are recorded instead of shown, shown and active unless the
// test wants to act before that.
class Window {
public:
    explicit Window(bool waitUntilActive = true) {
        window.show();
        if (waitUntilActive)
            QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    template <typename T = QWidget>
    T* control(const QString& name) const {
        return window.findChild<T*>(name);
    }
    QLineEdit* box(const QString& name) const { return control<QLineEdit>(name); }
    void click(const QString& button) { QTest::mouseClick(control(button), Qt::LeftButton); }
    // Pastes, as the context menu would: no key filter involved.
    void calculate(const QString& defects, const QString& opportunities) {
        box("txttotaldefects")->setText(defects);
        box("txttotalopportunities")->setText(opportunities);
        click("cmdcalculate");
    }
    QStringList results() const {
        return {box("txtDPMO")->text(), box("txtdefectspercent")->text(), box("txtyields")->text(),
                box("txtprocesssigma")->text()};
    }

    RecordedWarnings warnings;
    MainWindow window{warnings};
};

}  // namespace tallyvane::testing
