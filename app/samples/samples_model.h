#pragma once

#include <QAbstractTableModel>
#include <QUndoStack>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "samples/sample_sheet.h"

namespace tallyvane {

// The table of samples for a view: the user's columns as written, then Tallyvane's results, over
// the rows and one empty row that takes a new one; each row's figures, notes and faults come
// from the core. Every change goes through the undo stack, which keeps only the rows it changed,
// and tells the view only what changed.
class SamplesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit SamplesModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    QUndoStack& undoStack() { return m_undo; }
    const SampleSheet& sheet() const { return m_sheet; }
    // How many of the columns are the user's: the rest are results.
    int userColumns() const { return static_cast<int>(m_sheet.columns().size()); }

    void setEncoding(TextEncoding encoding) { m_sheet.setEncoding(encoding); }
    // A whole table, as a file holds it: a new start, not an edit.
    void load(SampleSheet sheet);
    // A whole table pasted, header and all, in place of the table: an edit, undone as one.
    void pasteTable(SampleSheet sheet);
    // A block of cells placed with its top-left at (row, column), as a spreadsheet pastes: the
    // rows it needs are added; cells past the user's columns are left out. An empty block
    // changes nothing.
    void paste(int row, int column, std::vector<SampleCellsRow> block);
    // The rows go; nothing changes for none.
    void removeRows(std::vector<int> rows);
    // The table with its figures as tab-separated text that a spreadsheet pastes back to the
    // same cells, quotes and line breaks included.
    QString tabSeparated() const;
    // The pooled figures of each stage, where there are several, then the table's, and each
    // one's intervals under it; none while a row is bad.
    QStringList pooledLines() const;
    QString pooledIntervals() const;

    // The column named so (kExcludedColumn, kStageColumn) set to `text` in the samples among
    // these rows, as one step: it sets them aside for a reason, or brings them back for none, or
    // names their stage. The column is added where the table has none.
    void setColumn(std::string_view name, std::vector<int> rows, const QString& text,
                   const QString& what);
    // The tests the rows are judged by, kept for every table this model holds.
    void setTests(Signals tests);
    Signals tests() const { return m_tests; }

    // Rows [at, at + count) become `rows`, or the whole table another, told to the views as
    // what changed: the undo stack's ways in.
    void replaceRows(int at, int count, std::vector<SampleCellsRow> rows);
    void replaceSheet(SampleSheet sheet);

signals:
    void analysed();

private:
    const SampleTexts& rowTexts(int row) const;
    QString errorOf(int row) const;
    void place(int row, int column, std::vector<SampleCellsRow> block, const QString& what);

    SampleSheet m_sheet;
    QUndoStack m_undo;
    mutable std::unordered_map<int, SampleTexts> m_rows;  // the figures of rows shown so far
    Signals m_tests = kAllTests;
};

}  // namespace tallyvane
