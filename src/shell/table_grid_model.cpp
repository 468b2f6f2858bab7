#include "shell/table_grid_model.h"

#include <algorithm>

#include "platform/xbase/cursor.h"
#include "shell/table_text.h"
#include "store/table_component.h"
#include "store/table_error.h"

TableGridModel::TableGridModel(TTable& table, std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)) {}

void TableGridModel::Reload() {
    const xbase::Cursor& shared = table_.cursor();
    xbase::Cursor walk(&table_.table());
    walk.SetShowDeleted(shared.showDeleted());
    ThrowIfError(walk.SetOrder(shared.order() ? shared.order()->name() : std::string()));
    ThrowIfError(walk.SetFilter(shared.filter()));
    std::vector<uint32_t> recnos;
    // Without a filter the index (and the deleted flags) list the rows, without reading records
    // one by one.
    bool all = false;
    ThrowIfError(walk.AllRecNos(&recnos, &all));
    if (!all) {
        for (ThrowIfError(walk.GoTop()); !walk.Eof(); ThrowIfError(walk.Skip(1))) {
            recnos.push_back(walk.RecNo());
        }
    }
    SetRecNos(std::move(recnos));
}

void TableGridModel::SetRecNos(std::vector<uint32_t> recnos) {
    beginResetModel();
    recnos_ = std::move(recnos);
    cachedRecno_ = 0;
    endResetModel();
}

uint32_t TableGridModel::RecNoAt(int row) const {
    return row >= 0 && row < int(recnos_.size()) ? recnos_[size_t(row)] : 0;
}

int TableGridModel::RowOf(uint32_t recno) const {
    const auto it = std::find(recnos_.begin(), recnos_.end(), recno);
    return it == recnos_.end() ? -1 : int(it - recnos_.begin());
}

void TableGridModel::RecordChanged(uint32_t recno) {
    cachedRecno_ = 0;
    const int row = RowOf(recno);
    if (row >= 0) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

void TableGridModel::RecordRemoved(uint32_t recno) {
    const int row = RowOf(recno);
    if (row < 0) {
        return;
    }
    beginRemoveRows({}, row, row);
    recnos_.erase(recnos_.begin() + row);
    cachedRecno_ = 0;
    endRemoveRows();
}

int TableGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(recnos_.size());
}

int TableGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

const uint8_t* TableGridModel::RecordOf(int row) const {
    const uint32_t recno = RecNoAt(row);
    if (recno == 0) {
        return nullptr;
    }
    if (recno != cachedRecno_) {
        record_.resize(table_.table().recordLength());
        cachedRecno_ = 0;
        // A record that cannot be read (the file shrank under us) shows as an empty row.
        if (!table_.table().ReadRecord(recno, record_.data()).ok()) {
            return nullptr;
        }
        cachedRecno_ = recno;
    }
    return record_.data();
}

QVariant TableGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= int(columns_.size())) {
        return {};
    }
    const Column& column = columns_[size_t(index.column())];
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(column.alignment);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const uint8_t* record = RecordOf(index.row());
    if (record == nullptr) {
        return {};
    }
    try {
        return FromTable(table_.FieldText(record, column.field)).trimmed();
    } catch (const TableError&) {
        return {};  // a field the table lacks shows empty rather than ending a paint
    }
}

QVariant TableGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(columns_.size())) {
        return columns_[size_t(section)].caption;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}
