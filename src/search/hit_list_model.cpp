#include "search/hit_list_model.h"

#include "shell/table_text.h"
#include "store/table_component.h"
#include "store/table_error.h"

HitListModel::HitListModel(TTable& table, std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), table_(&table), columns_(std::move(columns)) {}

void HitListModel::setTable(TTable& table) {
    beginResetModel();
    table_ = &table;
    cachedRecno_ = 0;
    endResetModel();
}

void HitListModel::setColumns(std::vector<Column> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    endResetModel();
}

void HitListModel::Clear() {
    beginResetModel();
    recnos_.clear();
    cachedRecno_ = 0;
    endResetModel();
}

void HitListModel::Append(const std::vector<uint32_t>& rows, size_t from) {
    if (from >= rows.size())
        return;
    beginInsertRows({}, int(recnos_.size()), int(recnos_.size() + rows.size() - from) - 1);
    recnos_.insert(recnos_.end(), rows.begin() + long(from), rows.end());
    endInsertRows();
}

uint32_t HitListModel::RecNoAt(int row) const {
    return row >= 0 && row < int(recnos_.size()) ? recnos_[size_t(row)] : 0;
}

void HitListModel::RowChanged(int row) {
    cachedRecno_ = 0;
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void HitListModel::RemoveRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    recnos_.erase(recnos_.begin() + row);
    cachedRecno_ = 0;
    endRemoveRows();
}

int HitListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(recnos_.size());
}

int HitListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

const uint8_t* HitListModel::RecordOf(int row) const {
    const uint32_t recno = RecNoAt(row);
    if (recno == 0)
        return nullptr;
    if (recno != cachedRecno_) {
        record_.resize(table_->table().recordLength());
        cachedRecno_ = 0;
        // A record that cannot be read (the file shrank under us) shows as an empty row.
        if (!table_->table().ReadRecord(recno, record_.data()).ok())
            return nullptr;
        cachedRecno_ = recno;
    }
    return record_.data();
}

QVariant HitListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.column() >= int(columns_.size()))
        return {};
    const uint8_t* record = RecordOf(index.row());
    if (record == nullptr)
        return {};
    try {
        QStringList parts;
        for (const std::string& field : columns_[size_t(index.column())].fields)
            parts << FromTable(table_->FieldText(record, field)).trimmed();
        return parts.join(':');
    } catch (const TableError&) {
        return {};  // a field the table lacks shows empty rather than ending a paint
    }
}

QVariant HitListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(columns_.size()))
        return columns_[size_t(section)].caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}
