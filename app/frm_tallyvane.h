#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tallyvane {

// The one window: two input rows, Calculate, four result rows revealed by the first accepted
// calculation, Print Result, the banner and the site link.
class FrmTallyvane : public QWidget {
    Q_OBJECT

public:
    explicit FrmTallyvane(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    void Form_Load();
    void cmdcalculate_Click();
    void cmdPrint_Click();
    void MoveFocusOn(QObject* box);
    void Form_MouseMove();
    void LblLink_MouseMove();
    void LblLink_Click();
    void SetLinkStyle(bool highlighted);

    template <typename T>
    T* Control(std::string_view name) const;

    QPixmap m_banner;
    bool m_linkPressed = false;  // a left press on the link, waiting for its release

    QLineEdit* m_txttotaldefects = nullptr;
    QLineEdit* m_txttotalopportunities = nullptr;
    QLabel* m_LblLink = nullptr;
    QPushButton* m_cmdcalculate = nullptr;
    QLabel* m_lblDPMO = nullptr;
    QLineEdit* m_txtDPMO = nullptr;
    QLabel* m_lbldefectspercent = nullptr;
    QLineEdit* m_txtdefectspercent = nullptr;
    QLabel* m_lblyield = nullptr;
    QLineEdit* m_txtyields = nullptr;
    QLabel* m_lblprocesssigma = nullptr;
    QLineEdit* m_txtprocesssigma = nullptr;
    QPushButton* m_cmdPrint = nullptr;
};

}  // namespace tallyvane
