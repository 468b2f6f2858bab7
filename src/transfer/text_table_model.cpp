#include "transfer/text_table_model.h"

TextTableModel::TextTableModel(QStringList headers, int rows, CellFn cell, QObject* parent)
    : QAbstractTableModel(parent),
      headers_(std::move(headers)),
      rows_(rows),
      cell_(std::move(cell)) {}

void TextTableModel::Reset(int rows, CellFn cell, int firstNumber) {
    beginResetModel();
    rows_ = rows;
    cell_ = std::move(cell);
    firstNumber_ = firstNumber;
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell_(index.row(), index.column());
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + firstNumber_;
    return headers_.value(section);
}
