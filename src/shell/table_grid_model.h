// TableGridModel: the rows of a grid bound to a table, in the order the table's shared cursor
// shows them (its controlling order, filter and hidden deleted records). Only record numbers are
// kept; a row's fields are read from the file when the view asks for them, so a grid over a large
// table costs four bytes a row. Listing the rows walks the table with a cursor of its own: the
// shared current record does not move.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

class TTable;

class TableGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        std::string field;  // a field of the table
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    // `table` must be open and outlive the model. No rows until Reload.
    TableGridModel(TTable& table, std::vector<Column> columns, QObject* parent = nullptr);

    // Lists the visible records again in the shared cursor's present order. Throws TableError.
    void Reload();
    // Lists exactly these records in this order: a result list rather than the whole table.
    void SetRecNos(std::vector<uint32_t> recnos);
    // The record number shown in `row` (0 outside the rows).
    uint32_t RecNoAt(int row) const;
    // The row that shows record `recno`, -1 when none does.
    int RowOf(uint32_t recno) const;
    // Record `recno` was rewritten: its row shows the new values.
    void RecordChanged(uint32_t recno);
    // Record `recno` was deleted: its row goes, the rows below move up.
    void RecordRemoved(uint32_t recno);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // The record of `row`, read once for all the columns the view asks in a row.
    const uint8_t* RecordOf(int row) const;

    TTable& table_;
    std::vector<Column> columns_;
    std::vector<uint32_t> recnos_;
    mutable std::vector<uint8_t> record_;
    mutable uint32_t cachedRecno_ = 0;
};
