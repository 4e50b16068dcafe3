#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <memory>
#include <vector>

#include "app/frm_tallyvane.h"
#include "app/message_box.h"

namespace tallyvane::testing {

// One message box call as the window made it.
struct ShownBox {
    QString prompt;
    int buttons;
    QString title;
};

// A fresh, shown and active window whose message boxes are recorded instead of shown.
class WindowFixture {
public:
    WindowFixture() : m_window(std::make_unique<FrmTallyvane>()) {
        SetMessageBoxHook(
            [this](QWidget*, const QString& prompt, int buttons, const QString& title) {
                m_boxes.push_back({prompt, buttons, title});
                return kMsgBoxAnswerOk;
            });
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    ~WindowFixture() { SetMessageBoxHook({}); }

    FrmTallyvane& window() { return *m_window; }
    const std::vector<ShownBox>& boxes() const { return m_boxes; }

    template <typename T = QWidget>
    T* control(const char* name) const {
        return m_window->findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* box(const char* name) const { return control<QLineEdit>(name); }

    // Pastes, as the context menu would: no key filter involved.
    void enter(const QString& defects, const QString& opportunities) {
        box("txttotaldefects")->setText(defects);
        box("txttotalopportunities")->setText(opportunities);
    }
    void calculate() { QTest::mouseClick(control<QPushButton>("cmdcalculate"), Qt::LeftButton); }
    QStringList results() const {
        return {box("txtDPMO")->text(), box("txtdefectspercent")->text(), box("txtyields")->text(),
                box("txtprocesssigma")->text()};
    }

private:
    std::unique_ptr<FrmTallyvane> m_window;
    std::vector<ShownBox> m_boxes;
};

}  // namespace tallyvane::testing
