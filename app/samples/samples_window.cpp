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
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QSettings>
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
#include "samples/chart_svg.h"
#include "samples/run_tests.h"
#include "samples/sample_columns.h"
#include "samples/table_records.h"
#include "samples/text_decoding.h"

namespace tallyvane {
namespace {

const QString kTableFiles = QStringLiteral("Tables (*.csv *.tsv *.txt);;All files (*)");

// The user's choices, under an organisation and a name of their own: the Windows registry keeps
// nothing for a program that names no organisation.
QSettings Settings() {
    return QSettings(QStringLiteral("Tallyvane"), QStringLiteral("Tallyvane"));
}

// A cell's editor: Enter commits and moves down, as in a spreadsheet; the count columns take
// what the main window's boxes take.
class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(QTableView* view, const SamplesModel* model)
        : QStyledItemDelegate(view), m_view(view), m_model(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (m_model->sheet().isCountColumn(static_cast<std::size_t>(index.column()))) {
            auto* filter = new NumericKeyFilter(editor);
            editor->installEventFilter(filter);
            connect(filter, &NumericKeyFilter::enterPressed, this,
                    [this, editor] { const_cast<CellDelegate*>(this)->commitAndMoveDown(editor); });
        }
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                commitAndMoveDown(static_cast<QWidget*>(object));
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    void commitAndMoveDown(QWidget* editor) {
        const QModelIndex current = m_view->currentIndex();
        emit commitData(editor);
        emit closeEditor(editor, NoHint);
        m_view->setCurrentIndex(m_model->index(current.row() + 1, current.column()));
    }

    QTableView* m_view;
    const SamplesModel* m_model;
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
    m_table->setItemDelegate(new CellDelegate(m_table, m_model));
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
    edit->addSeparator();
    m_setAside = edit->addAction(tr("Set aside…"), this, &SamplesWindow::setAside);
    m_bringBack = edit->addAction(tr("Bring back"), this, &SamplesWindow::bringBack);
    m_startStage = edit->addAction(tr("Start a stage here…"), this, &SamplesWindow::startStage);
    m_table->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_table->addActions({m_setAside, m_bringBack, m_startStage});
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SamplesWindow::updateRowActions);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &SamplesWindow::updateRowActions);

    // The tests for special causes, as the user last chose them.
    QMenu* tests = menuBar()->addMenu(tr("&Tests"));
    const int chosen = Settings().value(QStringLiteral("samples/tests"), kAllTests).toInt();
    for (int test = 1; test <= kRunTests; ++test) {
        const std::string_view text = TestWords(test);
        QString words = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        words[0] = words[0].toUpper();
        QAction* action = tests->addAction(tr("&%1 %2").arg(test).arg(words));
        action->setCheckable(true);
        action->setChecked(chosen & (1 << (test - 1)));
        connect(action, &QAction::toggled, this, &SamplesWindow::chooseTests);
        m_tests << action;
    }
    m_model->setTests(static_cast<Signals>(chosen & kAllTests));
}

std::vector<int> SamplesWindow::selectedRows() const {
    std::vector<int> rows;
    for (const QItemSelectionRange& range : m_table->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row);
        }
    }
    if (rows.empty() && m_table->currentIndex().isValid()) {
        rows.push_back(m_table->currentIndex().row());
    }
    return rows;
}

void SamplesWindow::updateRowActions() {
    const SampleSheet& sheet = m_model->sheet();
    bool samples = false, aside = false;
    for (const int row : selectedRows()) {
        const auto i = static_cast<std::size_t>(row);
        samples = samples || (i < sheet.size() && sheet.isSample(i));
        aside = aside || (i < sheet.size() && sheet.isSetAside(i));
        if (samples && aside) {
            break;
        }
    }
    m_setAside->setEnabled(samples);
    m_bringBack->setEnabled(aside);
    const auto current = static_cast<std::size_t>(m_table->currentIndex().row());
    m_startStage->setEnabled(m_table->currentIndex().isValid() && current < sheet.size() &&
                             sheet.isSample(current));
}

void SamplesWindow::setExcluded(const QString& reason, const QString& what) {
    const std::vector<int> rows = selectedRows();
    const QModelIndex current = m_table->currentIndex();
    m_model->setColumn(kExcludedColumn, rows, reason, what);
    // A column added comes with the rows put in again: the selection is put back.
    for (const int row : rows) {
        m_table->selectionModel()->select(m_model->index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    m_table->selectionModel()->setCurrentIndex(m_model->index(current.row(), current.column()),
                                               QItemSelectionModel::NoUpdate);
}

// Whether the table can take the column that an action needs; if not, the user is told how.
bool SamplesWindow::canAddColumns() {
    if (!m_model->sheet().canAddColumns()) {
        warn(QString::fromUtf8(kNamesNeeded.data(), static_cast<qsizetype>(kNamesNeeded.size())));
        return false;
    }
    return true;
}

void SamplesWindow::setAside() {
    if (!canAddColumns()) {
        return;
    }
    bool ok = false;
    const QString reason =
        QInputDialog::getText(this, tr("Set aside"),
                              tr("Why do these samples not count? The reason is kept in the "
                                 "Excluded column."),
                              QLineEdit::Normal, {}, &ok)
            .trimmed();
    if (ok && !reason.isEmpty()) {
        setExcluded(reason, tr("Set aside"));
    }
}

void SamplesWindow::bringBack() {
    setExcluded({}, tr("Bring back"));
}

void SamplesWindow::startStage() {
    if (!canAddColumns()) {
        return;
    }
    const int row = m_table->currentIndex().row();
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, tr("Start a stage"),
                              tr("The stage's name, from this sample to the end of its stage:"),
                              QLineEdit::Normal, {}, &ok)
            .trimmed();
    if (!ok || name.isEmpty() || row < 0) {
        return;
    }
    const std::vector<std::size_t> rows = m_model->sheet().stageRows(static_cast<std::size_t>(row));
    m_model->setColumn(kStageColumn, {rows.begin(), rows.end()}, name, tr("Start a stage"));
    m_table->setCurrentIndex(m_model->index(row, std::max(m_table->currentIndex().column(), 0)));
}

void SamplesWindow::chooseTests() {
    int chosen = 0;
    for (int i = 0; i < m_tests.size(); ++i) {
        chosen |= m_tests[i]->isChecked() ? 1 << i : 0;
    }
    Settings().setValue(QStringLiteral("samples/tests"), chosen);
    m_model->setTests(static_cast<Signals>(chosen));
}

void SamplesWindow::setFile(const QString& path) {
    m_path = path;
    setWindowTitle(
        tr("Samples – %1[*]").arg(path.isEmpty() ? tr("untitled") : QFileInfo(path).fileName()));
    m_model->undoStack().setClean();
}

bool SamplesWindow::openFile(const QString& path) {
    QFile file(path);
    const QString name = QDir::toNativeSeparators(path);
    if (QFileInfo(path).isDir()) {
        warn(tr("Cannot open %1: it is a folder.").arg(name));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        warn(tr("Cannot open %1: %2").arg(name, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(kTableFileReadSize));
    if (file.error() != QFileDevice::NoError) {  // a part read is no table
        warn(tr("Cannot read %1: %2").arg(name, file.errorString()));
        return false;
    }
    SampleSheet sheet(bytes.toStdString());
    if (!sheet.isText()) {
        warn(QString::fromStdString(sheet.reasons().front()));
        return false;
    }
    m_model->load(std::move(sheet));
    setFile(path);
    return true;
}

void SamplesWindow::openText(const QByteArray& text) {
    m_model->load(SampleSheet(text.toStdString()));
    setFile({});
}

SamplesWindow* SamplesWindow::windowForNewTable() {
    if (m_model->undoStack().isClean() && m_model->sheet().size() == 0) {
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
    return saveTo(m_path);
}

bool SamplesWindow::saveAs() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save Samples"), m_path, kTableFiles);
    if (path.isEmpty() || !saveTo(path)) {
        return false;
    }
    setFile(path);
    return true;
}

bool SamplesWindow::saveTo(const QString& path) {
    if (m_model->sheet().encoding() == TextEncoding::kWindows1252 &&
        QMessageBox::question(
            this, windowTitle().remove(QStringLiteral("[*]")),
            tr("The table was read as Windows-1252. It is saved as UTF-8 with a byte order "
               "mark, which every spreadsheet reads."),
            QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Save) != QMessageBox::Save) {
        return false;
    }
    if (!writeFile(path, QByteArray::fromStdString(m_model->sheet().file()))) {
        return false;
    }
    if (m_model->sheet().encoding() == TextEncoding::kWindows1252) {
        m_model->setEncoding(TextEncoding::kUtf8WithBom);
    }
    m_model->undoStack().setClean();
    return true;
}

void SamplesWindow::copyTable() {
    QApplication::clipboard()->setText(m_model->tabSeparated());
}

void SamplesWindow::pasteRows() {
    const std::string text = QApplication::clipboard()->text().toStdString();
    SampleSheet pasted(text);
    if (m_model->sheet().size() == 0) {  // a table of its own, header and all
        m_model->pasteTable(std::move(pasted));
        return;
    }
    // Into a table go a copied table's rows, without its header and Tallyvane's pooled row;
    // other text goes as a spreadsheet pastes cells, a first row of words being a row too.
    std::vector<SampleCellsRow> block;
    if (!pasted.namesCounts()) {
        block = TableCells(text);
    } else {
        for (std::size_t i = 0; i < pasted.size(); ++i) {
            if (pasted.isSample(i) || Width(pasted.cells(i)) == 0) {
                block.push_back(pasted.cells(i));
            }
        }
    }
    const QModelIndex at = m_table->currentIndex();
    m_model->paste(std::max(at.row(), 0), std::max(at.column(), 0), std::move(block));
}

void SamplesWindow::deleteRows() {
    std::vector<int> rows = selectedRows();
    const int first = rows.empty() ? 0 : *std::min_element(rows.begin(), rows.end());
    m_model->removeRows(std::move(rows));
    // The rows left after a gap moved up: a selection kept would now hold other rows.
    m_table->clearSelection();
    m_table->setCurrentIndex(m_model->index(first, std::max(m_table->currentIndex().column(), 0)));
}

// Where the user wants the chart, or nothing: none while a row is bad, or the dialog cancelled.
QString SamplesWindow::chartExportPath(const QString& filter) {
    if (m_chart->chart().empty()) {
        warn(tr("There is no chart while a row is bad."));
        return {};
    }
    return QFileDialog::getSaveFileName(this, tr("Export Chart"), {}, filter);
}

void SamplesWindow::exportSvg() {
    if (const QString path = chartExportPath(tr("SVG drawings (*.svg)")); !path.isEmpty()) {
        writeFile(path, QByteArray::fromStdString(ChartSvg(m_chart->chart())));
    }
}

void SamplesWindow::exportPng() {
    const QString path = chartExportPath(tr("PNG images (*.png)"));
    if (path.isEmpty()) {
        return;
    }
    const ChartScene& chart = m_chart->chart();
    // Twice the units: sharp on paper.
    QImage image(QSizeF(chart.width * 2, chart.height * 2).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(2, 2);
    PaintChart(painter, chart);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    writeFile(path, bytes);
}

void SamplesWindow::print() {
    try {
        PrintTable(m_model->sheet().printedRows(), m_chart->chart(),
                   windowTitle().remove(QStringLiteral("[*]")));
    } catch (const PrintFailure& e) {
        warn(QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {  // nothing may leave a slot through Qt's event loop
        qWarning("Printing failed: %s", e.what());
        warn(QString::fromUtf8(warning::kReportNotPrinted));
    }
}

void SamplesWindow::showAnalysis() {
    const SampleSheet& sheet = m_model->sheet();
    QStringList faults;
    for (const std::string& note : sheet.notes()) {
        faults << QString::fromStdString(note);
    }
    for (const std::string& reason : sheet.reasons()) {
        faults << QString::fromStdString(reason);
    }
    m_errors->setText(faults.join(QLatin1Char('\n')));
    m_errors->setHidden(faults.isEmpty());
    m_pooled->setText(m_model->pooledLines().join(QLatin1Char('\n')));
    m_pooled->setToolTip(m_model->pooledIntervals());
    m_pooled->setAccessibleDescription(m_pooled->toolTip());
    m_chart->setChart(sheet.chart());
    updateRowActions();
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
