// HitListModel: the result grid of a search screen. It keeps only the hits' record numbers and
// reads a row's fields from the file when the view shows it, so fifty thousand hits cost two
// hundred kilobytes and the first rows show as soon as the first hits are known.
#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <string>
#include <vector>

class TTable;

class HitListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        std::vector<std::string> fields;  // shown trimmed, joined by ":" (the track time)
    };

    // `table` must be open and outlive the model.
    HitListModel(TTable& table, std::vector<Column> columns, QObject* parent = nullptr);

    void setColumns(std::vector<Column> columns);
    // Reads rows from `table` from now on (it must outlive the model).
    void setTable(TTable& table);
    void Clear();
    // Appends the record numbers rows[from..] as rows.
    void Append(const std::vector<uint32_t>& rows, size_t from);
    const std::vector<uint32_t>& recnos() const { return recnos_; }
    // The record number of `row` (0 outside the rows).
    uint32_t RecNoAt(int row) const;
    // Row `row` shows its record again (after an editor changed it).
    void RowChanged(int row);
    void RemoveRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const uint8_t* RecordOf(int row) const;

    TTable* table_;
    std::vector<Column> columns_;
    std::vector<uint32_t> recnos_;
    mutable std::vector<uint8_t> record_;
    mutable uint32_t cachedRecno_ = 0;
};
