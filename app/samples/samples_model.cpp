#include "app/samples/samples_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <algorithm>

#include "samples/sample_columns.h"

namespace tallyvane {
namespace {

constexpr int kResultColumns = static_cast<int>(kSampleColumns.size() - kFirstResultColumn);
// A step keeps only the rows it changed; past this many steps the oldest go.
constexpr int kUndoSteps = 100;

// Rows [at, at + before.size()) became `after`: what one edit, paste or delete changed.
class SpliceCommand : public QUndoCommand {
public:
    SpliceCommand(SamplesModel& model, int at, std::vector<SampleCellsRow> before,
                  std::vector<SampleCellsRow> after, const QString& text)
        : QUndoCommand(text),
          m_model(model),
          m_at(at),
          m_before(std::move(before)),
          m_after(std::move(after)) {}
    void undo() override { m_model.replaceRows(m_at, static_cast<int>(m_after.size()), m_before); }
    void redo() override { m_model.replaceRows(m_at, static_cast<int>(m_before.size()), m_after); }

private:
    SamplesModel& m_model;
    int m_at;
    std::vector<SampleCellsRow> m_before, m_after;
};

// The whole table became another, header and all: a paste into an empty table.
class SheetCommand : public QUndoCommand {
public:
    SheetCommand(SamplesModel& model, SampleSheet before, SampleSheet after, const QString& text)
        : QUndoCommand(text),
          m_model(model),
          m_before(std::move(before)),
          m_after(std::move(after)) {}
    void undo() override { m_model.replaceSheet(m_before); }
    void redo() override { m_model.replaceSheet(m_after); }

private:
    SamplesModel& m_model;
    SampleSheet m_before, m_after;
};

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SamplesModel::SamplesModel(QObject* parent) : QAbstractTableModel(parent) {
    m_sheet.numberByPlace();
    m_undo.setUndoLimit(kUndoSteps);
}

int SamplesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_sheet.size()) + 1;
}

int SamplesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : userColumns() + kResultColumns;
}

const SampleTexts& SamplesModel::rowTexts(int row) const {
    const auto found = m_rows.find(row);
    if (found != m_rows.end()) {
        return found->second;
    }
    return m_rows.emplace(row, m_sheet.texts(static_cast<std::size_t>(row))).first->second;
}

QString SamplesModel::errorOf(int row) const {
    return Text(m_sheet.error(static_cast<std::size_t>(row)));
}

QVariant SamplesModel::data(const QModelIndex& index, int role) const {
    const int row = index.row(), column = index.column();
    if (row >= static_cast<int>(m_sheet.size())) {
        return {};
    }
    const auto result = static_cast<std::size_t>(column - userColumns()) + kFirstResultColumn;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            if (column < userColumns()) {
                const SampleCellsRow& cells = m_sheet.cells(static_cast<std::size_t>(row));
                return static_cast<std::size_t>(column) < cells.size()
                           ? Text(cells[static_cast<std::size_t>(column)])
                           : QString();
            }
            return Text(rowTexts(row).cells[result]);
        }
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            if (const QString error = errorOf(row); !error.isEmpty()) {
                return error;
            }
            return column < userColumns() ? QString() : Text(rowTexts(row).notes[result]);
        case Qt::BackgroundRole:  // a bad row, marked where it stands, readable in dark themes
            return errorOf(row).isEmpty() ? QVariant() : QBrush(QColor(0xfd, 0xe0, 0xdc));
        case Qt::ForegroundRole:
            return errorOf(row).isEmpty() ? QVariant() : QBrush(QColor(Qt::black));
        case Qt::FontRole: {  // a row set aside, told apart in every theme
            if (!m_sheet.isSetAside(static_cast<std::size_t>(row))) {
                return {};
            }
            QFont font;
            font.setItalic(true);
            return font;
        }
        case Qt::TextAlignmentRole:  // counts and figures to the right, words to the left
            return (column < userColumns() ? m_sheet.isCountColumn(static_cast<std::size_t>(column))
                                           : result + 1 < kSampleColumns.size())
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant();
        default:
            return {};
    }
}

QVariant SamplesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return section < userColumns()
                   ? Text(m_sheet.columns()[static_cast<std::size_t>(section)])
                   : Text(kSampleColumns[static_cast<std::size_t>(section - userColumns()) +
                                         kFirstResultColumn]);
    }
    return section < static_cast<int>(m_sheet.size()) ? QVariant(section + 1)
                                                      : QVariant(QStringLiteral("*"));
}

Qt::ItemFlags SamplesModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() < userColumns() ? flags | Qt::ItemIsEditable : flags;
}

bool SamplesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() >= userColumns() ||
        data(index, Qt::EditRole).toString() == value.toString()) {
        return false;
    }
    place(index.row(), index.column(), {{value.toString().toStdString()}}, tr("Edit"));
    return true;
}

void SamplesModel::load(SampleSheet sheet) {
    beginResetModel();
    m_sheet = std::move(sheet);
    m_sheet.numberByPlace();
    m_sheet.setTests(m_tests);
    m_sheet.alignCounts();
    m_rows.clear();
    m_undo.clear();
    endResetModel();
    emit analysed();
}

void SamplesModel::pasteTable(SampleSheet sheet) {
    sheet.alignCounts();
    sheet.setTests(m_tests);
    m_undo.push(new SheetCommand(*this, m_sheet, std::move(sheet), tr("Paste")));
}

void SamplesModel::replaceSheet(SampleSheet sheet) {
    std::vector<SampleCellsRow> rows;
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        rows.push_back(sheet.cells(i));
    }
    sheet.replaceRows(0, sheet.size(), {});  // its header alone, the rows put in below
    sheet.numberByPlace();
    sheet.setTests(m_tests);  // a step undone or redone keeps the tests chosen since
    replaceRows(0, static_cast<int>(m_sheet.size()), {});
    const int before = userColumns(), after = static_cast<int>(sheet.columns().size());
    if (after > before) {
        beginInsertColumns({}, before, after - 1);
        m_sheet = std::move(sheet);
        endInsertColumns();
    } else if (after < before) {
        beginRemoveColumns({}, after, before - 1);
        m_sheet = std::move(sheet);
        endRemoveColumns();
    } else {
        m_sheet = std::move(sheet);
    }
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    replaceRows(0, 0, std::move(rows));
}

void SamplesModel::paste(int row, int column, std::vector<SampleCellsRow> block) {
    place(row, column, std::move(block), tr("Paste"));
}

void SamplesModel::place(int row, int column, std::vector<SampleCellsRow> block,
                         const QString& what) {
    if (block.empty() || column >= userColumns()) {
        return;
    }
    const auto size = static_cast<int>(m_sheet.size());
    const int replaced = std::min(static_cast<int>(block.size()), size - row);
    std::vector<SampleCellsRow> before, after;
    for (int i = 0; i < static_cast<int>(block.size()); ++i) {
        SampleCellsRow cells;
        if (i < replaced) {
            before.push_back(m_sheet.cells(static_cast<std::size_t>(row + i)));
            cells = before.back();
        }
        const auto& pasted = block[static_cast<std::size_t>(i)];
        const auto last = std::min(column + static_cast<int>(pasted.size()), userColumns());
        cells.resize(std::max(cells.size(), static_cast<std::size_t>(last)));
        std::copy(pasted.begin(), pasted.begin() + (last - column), cells.begin() + column);
        after.push_back(std::move(cells));
    }
    m_undo.push(new SpliceCommand(*this, row, std::move(before), std::move(after), what));
}

void SamplesModel::removeRows(std::vector<int> rows) {
    const auto size = static_cast<int>(m_sheet.size());
    std::erase_if(rows, [size](int row) { return row < 0 || row >= size; });
    if (rows.empty()) {
        return;
    }
    // One change from the first row to the last, whatever the selection: linear in the rows.
    std::sort(rows.begin(), rows.end());
    const int first = rows.front(), end = rows.back() + 1;
    std::vector<SampleCellsRow> before, after;
    for (int row = first, next = 0; row < end; ++row) {
        before.push_back(m_sheet.cells(static_cast<std::size_t>(row)));
        if (rows[static_cast<std::size_t>(next)] == row) {
            while (next < static_cast<int>(rows.size()) &&
                   rows[static_cast<std::size_t>(next)] == row) {
                ++next;
            }
        } else {
            after.push_back(before.back());
        }
    }
    m_undo.push(
        new SpliceCommand(*this, first, std::move(before), std::move(after), tr("Delete rows")));
}

void SamplesModel::replaceRows(int at, int count, std::vector<SampleCellsRow> rows) {
    std::size_t width = 0;
    for (const SampleCellsRow& cells : rows) {
        width = std::max(width, Width(cells));
    }
    if (static_cast<int>(width) > userColumns()) {
        beginInsertColumns({}, userColumns(), static_cast<int>(width) - 1);
        m_sheet.widen(width);
        endInsertColumns();
    }
    m_rows.clear();
    const int added = static_cast<int>(rows.size()), common = std::min(count, added);
    const auto replace = [&] {
        m_sheet.replaceRows(static_cast<std::size_t>(at), static_cast<std::size_t>(count),
                            std::move(rows));
    };
    if (count > added) {
        beginRemoveRows({}, at + common, at + count - 1);
        replace();
        endRemoveRows();
    } else if (added > count) {
        beginInsertRows({}, at + common, at + added - 1);
        replace();
        endInsertRows();
    } else {
        replace();
    }
    if (common > 0) {
        emit dataChanged(index(at, 0), index(at + common - 1, userColumns() - 1));
    }
    if (m_sheet.size() > 0) {  // every row's figures follow the table's
        emit dataChanged(index(0, 0),
                         index(static_cast<int>(m_sheet.size()) - 1, columnCount() - 1),
                         {Qt::DisplayRole, Qt::ToolTipRole, Qt::BackgroundRole});
    }
    emit analysed();
}

void SamplesModel::setColumn(std::string_view name, std::vector<int> rows, const QString& text,
                             const QString& what) {
    std::erase_if(rows, [this](int row) {
        return row < 0 || row >= static_cast<int>(m_sheet.size()) ||
               !m_sheet.isSample(static_cast<std::size_t>(row));
    });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty()) {
        return;
    }
    const std::vector<std::size_t> picked(rows.begin(), rows.end());
    const std::optional<std::size_t> column = m_sheet.columnNamed(name);
    if (!column) {  // the table gains a column, and a header where it had none
        SampleSheet after = m_sheet;
        after.setColumn(name, picked, text.toStdString());
        m_undo.push(new SheetCommand(*this, m_sheet, std::move(after), what));
        return;
    }
    std::vector<SampleCellsRow> before;
    for (std::size_t row = picked.front(); row <= picked.back(); ++row) {
        before.push_back(m_sheet.cells(row));
    }
    m_undo.push(new SpliceCommand(*this, rows.front(), std::move(before),
                                  m_sheet.withCells(*column, picked, text.toStdString()), what));
}

void SamplesModel::setTests(Signals tests) {
    m_tests = tests;
    m_rows.clear();
    m_sheet.setTests(tests);
    if (m_sheet.size() > 0) {
        emit dataChanged(index(0, userColumns()),
                         index(static_cast<int>(m_sheet.size()) - 1, columnCount() - 1));
    }
    emit analysed();
}

QStringList SamplesModel::pooledLines() const {
    QStringList lines;
    if (m_sheet.summary()) {
        for (const PooledLine& line : PooledLines(*m_sheet.summary())) {
            lines << Text(line.text);
        }
    }
    return lines;
}

QString SamplesModel::pooledIntervals() const {
    QStringList intervals;
    if (m_sheet.summary()) {
        const std::vector<PooledLine> lines = PooledLines(*m_sheet.summary());
        for (const PooledLine& line : lines) {
            intervals << (lines.size() > 1 ? Text(line.who + ":\n" + line.intervals)
                                           : Text(line.intervals));
        }
    }
    return intervals.join(QStringLiteral("\n\n"));
}

QString SamplesModel::tabSeparated() const {
    return Text(m_sheet.text('\t'));
}

}  // namespace tallyvane
