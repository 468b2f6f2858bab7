// TExecutableFilter: narrows Qt's file dialog to executable files (and folders to go through),
// for choosing a program where programs have no extension of their own.
#pragma once

#include <QSortFilterProxyModel>

class TExecutableFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit TExecutableFilter(QObject* parent = nullptr);

    // While on, only folders and files the user may execute are listed.
    void setProgramsOnly(bool on);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    // Folders before files, names without regard to case, as the dialog lists them unfiltered.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    bool programsOnly_ = false;
};
