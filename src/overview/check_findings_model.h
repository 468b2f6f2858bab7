// The check window's list as a read-only tree: one top row per kind found ("heading: count"),
// its findings as children in three columns (source, what is wrong, record). Texts are made
// when a row is drawn, so a million findings cost no more than the check that holds them.
#pragma once

#include <QAbstractItemModel>

#include "store/catalogue_check.h"

class CheckFindingsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit CheckFindingsModel(QObject* parent = nullptr);

    // Replaces the check shown; views are reset.
    void SetCheck(CatalogueCheck check);
    const CatalogueCheck& Check() const { return check_; }

    // The group of a top row or of a finding's row; -1 for none.
    int GroupOf(const QModelIndex& index) const;
    // The finding of a child row; nullptr for a kind's heading or no row.
    const CheckFinding* FindingAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    CatalogueCheck check_;
};
