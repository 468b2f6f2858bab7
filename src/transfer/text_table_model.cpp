#include "transfer/text_table_model.h"

#include <QHeaderView>
#include <QTableView>

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

QTableView* TextGrid(QWidget* parent, const char* name, TextTableModel* model) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    model->setParent(grid);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    return grid;
}
