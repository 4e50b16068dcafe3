#pragma once

#include <QList>
#include <QMainWindow>
#include <vector>

class QAction;
class QLabel;
class QTableView;

namespace tallyvane {

class ChartView;
class SamplesModel;

// A table of samples: the rows as the user wrote them with their figures, the pooled row and
// the control chart, kept in a CSV file.
class SamplesWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit SamplesWindow(QWidget* parent = nullptr);

    bool openFile(const QString& path);
    void openText(const QByteArray& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void open();
    bool save();
    bool saveAs();
    void copyTable();
    void pasteRows();
    void deleteRows();
    void setAside();
    void bringBack();
    void startStage();
    void chooseTests();
    void updateRowActions();
    void exportSvg();
    void exportPng();
    void print();
    void showAnalysis();

private:
    void createActions();
    // The rows selected, or the current one where none is.
    std::vector<int> selectedRows() const;
    // The rows set aside or brought back, kept in view and selected.
    void setExcluded(const QString& reason, const QString& what);
    bool canAddColumns();
    // This window while it holds nothing, else a new one: no table is ever replaced unsaved.
    SamplesWindow* windowForNewTable();
    // Opens the file there; a new window that the file could not fill goes again.
    void openForNewTable(const QString& path);
    bool saveTo(const QString& path);
    bool writeFile(const QString& path, const QByteArray& bytes);
    void setFile(const QString& path);
    QString chartExportPath(const QString& filter);
    void warn(const QString& text);

    SamplesModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_errors = nullptr;
    QLabel* m_pooled = nullptr;
    ChartView* m_chart = nullptr;
    QAction* m_setAside = nullptr;
    QAction* m_bringBack = nullptr;
    QAction* m_startStage = nullptr;
    QList<QAction*> m_tests;
    QString m_path;
};

}  // namespace tallyvane
