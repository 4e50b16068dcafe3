#include "app/samples/samples_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "samples/sample_columns.h"

namespace tallyvane {
namespace {

constexpr int kWrittenColumns = static_cast<int>(kFirstResultColumn);  // the rest are figures

// The table before and after one change.
class ChangeCommand : public QUndoCommand {
public:
    ChangeCommand(SamplesModel& model, std::vector<SampleEntry> before,
                  std::vector<SampleEntry> after, const QString& text)
        : QUndoCommand(text),
          m_model(model),
          m_before(std::move(before)),
          m_after(std::move(after)) {}
    void undo() override { m_model.setEntries(m_before); }
    void redo() override { m_model.setEntries(m_after); }

private:
    SamplesModel& m_model;
    std::vector<SampleEntry> m_before, m_after;
};

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SamplesModel::SamplesModel(QObject* parent) : QAbstractTableModel(parent) {}

int SamplesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table.entries().size()) + 1;
}

int SamplesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kSampleColumns.size());
}

const SampleTexts& SamplesModel::rowTexts(int row) const {
    const auto found = m_rows.find(row);
    if (found != m_rows.end()) {
        return found->second;
    }
    return m_rows.emplace(row, m_table.texts(static_cast<std::size_t>(row))).first->second;
}

QVariant SamplesModel::data(const QModelIndex& index, int role) const {
    const int row = index.row(), column = index.column();
    if (row >= static_cast<int>(m_table.entries().size())) {
        return {};
    }
    const std::string error = m_table.error(static_cast<std::size_t>(row));
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            if (column < kWrittenColumns) {
                return Text(m_table.entries()[static_cast<std::size_t>(row)]
                                             [static_cast<std::size_t>(column)]);
            }
            return Text(rowTexts(row).cells[static_cast<std::size_t>(column)]);
        }
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            if (!error.empty()) {
                return Text(error);
            }
            return Text(rowTexts(row).notes[static_cast<std::size_t>(column)]);
        case Qt::BackgroundRole:  // a bad row, marked where it stands, readable in dark themes
            return error.empty() ? QVariant() : QBrush(QColor(0xfd, 0xe0, 0xdc));
        case Qt::ForegroundRole:
            return error.empty() ? QVariant() : QBrush(QColor(Qt::black));
        case Qt::TextAlignmentRole:
            return column == 0 ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant SamplesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return Text(kSampleColumns[static_cast<std::size_t>(section)]);
    }
    return section < static_cast<int>(m_table.entries().size()) ? QVariant(section + 1)
                                                                : QVariant(QStringLiteral("*"));
}

Qt::ItemFlags SamplesModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() < kWrittenColumns ? flags | Qt::ItemIsEditable : flags;
}

bool SamplesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() >= kWrittenColumns ||
        data(index, Qt::EditRole).toString() == value.toString()) {
        return false;
    }
    std::vector<SampleEntry> entries = m_table.entries();
    entries.resize(std::max(entries.size(), static_cast<std::size_t>(index.row()) + 1));
    entries[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())] =
        value.toString().toStdString();
    change(std::move(entries), tr("Edit"));
    return true;
}

void SamplesModel::load(std::vector<SampleEntry> entries) {
    m_undo.clear();
    setEntries(std::move(entries));
}

void SamplesModel::paste(int row, std::vector<SampleEntry> pasted) {
    std::vector<SampleEntry> entries = m_table.entries();
    const bool labelled = std::any_of(pasted.begin(), pasted.end(),
                                      [](const SampleEntry& e) { return !e[0].empty(); });
    entries.resize(std::max(entries.size(), static_cast<std::size_t>(row) + pasted.size()));
    for (std::size_t i = 0; i < pasted.size(); ++i) {
        SampleEntry& e = entries[static_cast<std::size_t>(row) + i];
        e = {labelled ? pasted[i][0] : e[0], pasted[i][1], pasted[i][2]};
    }
    change(std::move(entries), tr("Paste"));
}

void SamplesModel::removeRows(std::vector<int> rows) {
    std::vector<SampleEntry> entries = m_table.entries();
    std::sort(rows.rbegin(), rows.rend());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row < static_cast<int>(entries.size())) {
            entries.erase(entries.begin() + row);
        }
    }
    change(std::move(entries), tr("Delete rows"));
}

void SamplesModel::change(std::vector<SampleEntry> entries, const QString& what) {
    m_undo.push(new ChangeCommand(*this, m_table.entries(), std::move(entries), what));
}

void SamplesModel::setEntries(std::vector<SampleEntry> entries) {
    beginResetModel();
    m_table.setEntries(std::move(entries));
    m_rows.clear();
    endResetModel();
    emit analysed();
}

QString SamplesModel::tabSeparated() const {
    QString text;
    for (int row = -1; row < rowCount() - 1; ++row) {
        QStringList cells;
        for (int column = 0; column < columnCount(); ++column) {
            cells << (row < 0 ? headerData(column, Qt::Horizontal, Qt::DisplayRole)
                              : data(this->index(row, column), Qt::DisplayRole))
                         .toString();
        }
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    const QStringList pooled = pooledCells();
    if (!pooled.isEmpty()) {
        text += pooled.mid(0, columnCount()).join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

QStringList SamplesModel::pooledCells() const {
    const SampleTexts pooled = m_table.sheet().pooledTexts();
    QStringList cells;
    for (const std::string& cell : pooled.cells) {
        cells << Text(cell);
    }
    for (const std::string& note : pooled.notes) {
        if (!note.empty()) {
            cells << Text(note);
        }
    }
    return cells;
}

}  // namespace tallyvane
