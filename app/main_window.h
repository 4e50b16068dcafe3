#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>
#include <optional>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tallyvane {

class Warnings;

// The one window: two input rows, Calculate, four result rows revealed by the first accepted
// calculation, Print Result, the banner and the site link.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(Warnings& warnings, QWidget* parent = nullptr);

    // A samples window on a file, on pasted rows, or empty.
    void openSamples(const QString& path = {}, const QByteArray& text = {});

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void calculate();
    void printReport();
    void moveFocusOn(QObject* box);
    void openSite();

private:
    struct ResultRow {
        QLabel* label = nullptr;
        QLineEdit* box = nullptr;
    };

    void createControls();
    QMargins windowFrame(std::optional<QMargins> reported) const;
    void centreOnScreen(std::optional<QMargins> reportedFrame);
    void growToShowResults();
    void highlightLink();
    void plainLink();
    void setLinkStyle(bool highlighted);

    template <typename T>
    T* control(std::string_view name) const;

    Warnings& m_warnings;
    QPixmap m_banner;
    QPixmap m_sharpBanner;       // twice the pixels, made on the first paint above ratio 1
    bool m_linkPressed = false;  // a left press on the link, waiting for its release

    QLineEdit* m_defectsBox = nullptr;
    QLineEdit* m_opportunitiesBox = nullptr;
    QLabel* m_link = nullptr;
    QPushButton* m_calculateButton = nullptr;
    QPushButton* m_printButton = nullptr;
    std::array<ResultRow, 4> m_resultRows;  // DPMO, defect %, yield %, sigma level
};

}  // namespace tallyvane
