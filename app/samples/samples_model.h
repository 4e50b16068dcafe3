#pragma once

#include <QAbstractTableModel>
#include <QUndoStack>
#include <string>
#include <unordered_map>
#include <vector>

#include "samples/sample_table.h"

namespace tallyvane {

// The table of samples for a view: the rows as the user wrote them, then one empty row that
// takes a new one, with each row's figures, notes and faults from the core. Every change goes
// through the undo stack.
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
    const SampleTable& table() const { return m_table; }

    // A whole table, as a file or a paste holds it: a new start, not an edit.
    void load(std::vector<SampleEntry> entries);
    // Rows from a spreadsheet placed from `row` down, adding the rows they need: their labels
    // too where they have any, else their counts alone.
    void paste(int row, std::vector<SampleEntry> pasted);
    void removeRows(std::vector<int> rows);
    // The table with its figures as tab-separated text, for a spreadsheet.
    QString tabSeparated() const;
    // The pooled row's cells with the notes of its results, or nothing while a row is bad.
    QStringList pooledCells() const;

    // The whole table replaced, as the undo stack does it.
    void setEntries(std::vector<SampleEntry> entries);

signals:
    void analysed();

private:
    const SampleTexts& rowTexts(int row) const;
    void change(std::vector<SampleEntry> entries, const QString& what);

    SampleTable m_table;
    QUndoStack m_undo;
    mutable std::unordered_map<int, SampleTexts> m_rows;  // the figures of rows shown so far
};

}  // namespace tallyvane
