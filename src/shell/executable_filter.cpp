#include "shell/executable_filter.h"

#include <QFileSystemModel>

TExecutableFilter::TExecutableFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

void TExecutableFilter::setProgramsOnly(bool on) {
    if (programsOnly_ != on) {
        programsOnly_ = on;
        invalidateFilter();
    }
}

bool TExecutableFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!programsOnly_ || files == nullptr) {
        return true;
    }
    const QFileInfo info = files->fileInfo(files->index(sourceRow, 0, sourceParent));
    return info.isDir() || info.isExecutable();
}

bool TExecutableFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr || left.column() != 0) {
        return QSortFilterProxyModel::lessThan(left, right);
    }
    const bool leftDir = files->isDir(left);
    const bool rightDir = files->isDir(right);
    if (leftDir != rightDir) {
        return leftDir;
    }
    return files->fileName(left).compare(files->fileName(right), Qt::CaseInsensitive) < 0;
}
