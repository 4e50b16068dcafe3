#include "app/samples/samples_window.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "app/numeric_key_filter.h"
#include "app/samples/chart_view.h"
#include "app/samples/samples_model.h"
#include "calc/warning_texts.h"
#include "report/chart_painter.h"
#include "report/page_printer.h"
#include "report/print_failure.h"
#include "samples/text_decoding.h"

namespace tallyvane {
namespace {

const QString kTableFiles = QStringLiteral("Tables (*.csv *.tsv *.txt);;All files (*)");

// The count columns take what the main window's boxes take.
class CountDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (index.column() > 0) {
            // Enter, which the filter keeps from the box, ends the edit as in any other cell.
            auto* filter = new NumericKeyFilter(editor);
            editor->installEventFilter(filter);
            connect(filter, &NumericKeyFilter::enterPressed, this, [this, editor] {
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                const_cast<CountDelegate*>(this)->eventFilter(editor, &enter);
            });
        }
        return editor;
    }
};

}  // namespace

SamplesWindow::SamplesWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("samplesWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    m_model = new SamplesModel(this);
    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("samplesTable"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(new CountDelegate(m_table));
    m_table->setAccessibleName(tr("Samples"));
    // Columns fit the rows in view, not every row of a long table: each row's figures are
    // worked out when it is first shown.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setResizeContentsPrecision(0);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_errors = new QLabel;
    m_errors->setObjectName(QStringLiteral("samplesErrors"));
    m_errors->setWordWrap(true);
    m_errors->setTextFormat(Qt::PlainText);
    m_pooled = new QLabel;
    m_pooled->setObjectName(QStringLiteral("samplesPooled"));
    m_pooled->setTextFormat(Qt::PlainText);
    m_pooled->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_chart = new ChartView;
    m_chart->setObjectName(QStringLiteral("samplesChart"));

    auto* top = new QWidget;
    auto* layout = new QVBoxLayout(top);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    layout->addWidget(m_errors);
    layout->addWidget(m_pooled);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(top);
    splitter->addWidget(m_chart);
    setCentralWidget(splitter);

    createActions();
    connect(m_model, &SamplesModel::analysed, this, &SamplesWindow::showAnalysis);
    connect(&m_model->undoStack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    setFile({});
    showAnalysis();
    resize(960, 720);
}

void SamplesWindow::createActions() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open…"), QKeySequence::Open, this, &SamplesWindow::open);
    file->addAction(tr("&Save"), QKeySequence::Save, this, &SamplesWindow::save);
    file->addAction(tr("Save &As…"), QKeySequence::SaveAs, this, &SamplesWindow::saveAs);
    file->addSeparator();
    file->addAction(tr("Export Chart as S&VG…"), this, &SamplesWindow::exportSvg);
    file->addAction(tr("Export Chart as &PNG…"), this, &SamplesWindow::exportPng);
    file->addAction(tr("&Print"), QKeySequence::Print, this, &SamplesWindow::print);
    file->addSeparator();
    file->addAction(tr("&Close"), QKeySequence::Close, this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = m_model->undoStack().createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = m_model->undoStack().createRedoAction(this, tr("&Redo"));
    redo->setShortcuts(QKeySequence::Redo);  // Ctrl+Shift+Z, on every platform
    edit->addActions({undo, redo});
    edit->addSeparator();
    edit->addAction(tr("&Copy Table"), QKeySequence::Copy, this, &SamplesWindow::copyTable);
    edit->addAction(tr("&Paste Rows"), QKeySequence::Paste, this, &SamplesWindow::pasteRows);
    edit->addAction(tr("&Delete Rows"), QKeySequence::Delete, this, &SamplesWindow::deleteRows);
}

void SamplesWindow::setFile(const QString& path) {
    m_path = path;
    setWindowTitle(
        tr("Samples – %1[*]").arg(path.isEmpty() ? tr("untitled") : QFileInfo(path).fileName()));
    m_model->undoStack().setClean();
}

bool SamplesWindow::openFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(tr("Cannot open %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    std::vector<std::string> reasons;
    auto entries = SampleTable::Read(
        file.read(static_cast<qint64>(kTableFileReadSize)).toStdString(), reasons);
    if (!reasons.empty()) {
        warn(QString::fromStdString(reasons.front()));
        return false;
    }
    m_model->load(std::move(entries));
    setFile(path);
    return true;
}

void SamplesWindow::openText(const QByteArray& text) {
    std::vector<std::string> reasons;
    m_model->load(SampleTable::Read(text.toStdString(), reasons));
    setFile({});
}

SamplesWindow* SamplesWindow::windowForNewTable() {
    if (m_model->undoStack().isClean() && m_model->table().entries().empty()) {
        return this;
    }
    auto* window = new SamplesWindow;
    window->show();
    return window;
}

void SamplesWindow::openForNewTable(const QString& path) {
    SamplesWindow* window = windowForNewTable();
    if (!window->openFile(path) && window != this) {
        window->close();
    }
}

void SamplesWindow::open() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open Samples"), m_path, kTableFiles);
    if (!path.isEmpty()) {
        openForNewTable(path);
    }
}

bool SamplesWindow::writeFile(const QString& path, const QByteArray& bytes) {
    // Written aside and renamed over the old file at the end: a failed save leaves it whole.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return true;
    }
    warn(tr("Cannot save %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
}

bool SamplesWindow::save() {
    if (m_path.isEmpty()) {
        return saveAs();
    }
    if (!writeFile(m_path, QByteArray::fromStdString(m_model->table().csv()))) {
        return false;
    }
    m_model->undoStack().setClean();
    return true;
}

bool SamplesWindow::saveAs() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save Samples"), m_path, kTableFiles);
    if (path.isEmpty() || !writeFile(path, QByteArray::fromStdString(m_model->table().csv()))) {
        return false;
    }
    setFile(path);
    return true;
}

void SamplesWindow::copyTable() {
    QApplication::clipboard()->setText(m_model->tabSeparated());
}

void SamplesWindow::pasteRows() {
    std::vector<std::string> reasons;
    auto rows = SampleTable::Read(QApplication::clipboard()->text().toStdString(), reasons);
    if (!rows.empty()) {
        m_model->paste(std::max(m_table->currentIndex().row(), 0), std::move(rows));
    }
}

void SamplesWindow::deleteRows() {
    std::vector<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedIndexes()) {
        rows.push_back(index.row());
    }
    if (rows.empty() && m_table->currentIndex().isValid()) {
        rows.push_back(m_table->currentIndex().row());
    }
    m_model->removeRows(std::move(rows));
}

// Where the user wants the chart, or nothing: none while a row is bad, or the dialog cancelled.
QString SamplesWindow::chartExportPath(const QString& filter) {
    if (m_chart->chart().isEmpty()) {
        warn(tr("There is no chart while a row is bad."));
        return {};
    }
    return QFileDialog::getSaveFileName(this, tr("Export Chart"), {}, filter);
}

void SamplesWindow::exportSvg() {
    if (const QString path = chartExportPath(tr("SVG drawings (*.svg)")); !path.isEmpty()) {
        writeFile(path, m_chart->chart());
    }
}

void SamplesWindow::exportPng() {
    const QString path = chartExportPath(tr("PNG images (*.png)"));
    if (path.isEmpty()) {
        return;
    }
    const QSizeF size = ChartSize(m_chart->chart());
    QImage image((size * 2).toSize(), QImage::Format_RGB32);  // twice the units: sharp on paper
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(2, 2);
    PaintChart(painter, m_chart->chart());
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    writeFile(path, bytes);
}

void SamplesWindow::print() {
    try {
        PrintTable(m_model->table().printedRows(), m_chart->chart().toStdString(),
                   windowTitle().remove(QStringLiteral("[*]")));
    } catch (const PrintFailure& e) {
        warn(QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {  // nothing may leave a slot through Qt's event loop
        qWarning("Printing failed: %s", e.what());
        warn(QString::fromUtf8(warning::kReportNotPrinted));
    }
}

void SamplesWindow::showAnalysis() {
    const SampleTable& table = m_model->table();
    QStringList faults;
    for (std::size_t row = 0; row < table.entries().size() && faults.size() < 20; ++row) {
        if (const std::string error = table.error(row); !error.empty()) {
            faults << tr("Row %1: %2").arg(row + 1).arg(QString::fromStdString(error));
        }
    }
    for (const std::string& reason : table.sheet().reasons()) {
        if (!reason.starts_with("line ")) {  // the whole table's, not a row's
            faults << QString::fromStdString(reason);
        }
    }
    m_errors->setText(faults.join(QLatin1Char('\n')));
    m_errors->setHidden(faults.isEmpty());
    const QStringList pooled = m_model->pooledCells();
    m_pooled->setText(pooled.isEmpty() ? QString()
                                       : tr("Pooled: %1 defects in %2 opportunities. DPMO %3, "
                                            "defects %4, yield %5, process sigma level %6")
                                             .arg(pooled[1], pooled[2], pooled[3], pooled[4],
                                                  pooled[5], pooled[6]));
    m_pooled->setToolTip(pooled.mid(10).join(QLatin1Char('\n')));
    m_pooled->setAccessibleDescription(m_pooled->toolTip());
    m_chart->setChart(table.sheet().summary() ? QByteArray::fromStdString(table.sheet().svg())
                                              : QByteArray());
}

void SamplesWindow::warn(const QString& text) {
    QMessageBox::warning(this, windowTitle().remove(QStringLiteral("[*]")), text);
}

void SamplesWindow::closeEvent(QCloseEvent* event) {
    if (m_model->undoStack().isClean()) {
        event->accept();
        return;
    }
    const auto answer = QMessageBox::question(
        this, tr("Samples"), tr("Save the changes to the samples before closing?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Discard || (answer == QMessageBox::Save && save())) {
        event->accept();
    } else {
        event->ignore();
    }
}

void SamplesWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void SamplesWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile()) {
        openForNewTable(urls.front().toLocalFile());
    }
}

}  // namespace tallyvane
