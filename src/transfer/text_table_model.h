// A read-only table of texts for a grid: column headers, a row count and a function that gives
// each cell, so that a list of a million rows costs nothing until its rows are shown.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

class QTableView;
class QWidget;

class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using CellFn = std::function<QString(int row, int column)>;

    TextTableModel(QStringList headers, int rows, CellFn cell, QObject* parent = nullptr);

    // Shows `rows` other rows, numbered from `firstNumber` in the row headers (a page of a longer
    // list).
    void Reset(int rows, CellFn cell, int firstNumber = 1);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList headers_;
    int rows_;
    CellFn cell_;
    int firstNumber_ = 1;
};

// A read-only grid of whole rows over `model` (which it takes), rows of one height so that a long
// list need not measure each.
QTableView* TextGrid(QWidget* parent, const char* name, TextTableModel* model);
