#include "overview/check_findings_model.h"

#include <array>

namespace {

// A finding's row keeps its group + 1 as internal id; a top row keeps 0.
constexpr quintptr kTopRowId = 0;
constexpr std::array<const char*, 3> kFindingColumns = {"Source", "What is wrong", "Record"};

}  // namespace

CheckFindingsModel::CheckFindingsModel(QObject* parent) : QAbstractItemModel(parent) {}

void CheckFindingsModel::SetCheck(CatalogueCheck check) {
    beginResetModel();
    check_ = std::move(check);
    endResetModel();
}

int CheckFindingsModel::GroupOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return -1;
    return index.internalId() == kTopRowId ? index.row() : int(index.internalId() - 1);
}

const CheckFinding* CheckFindingsModel::FindingAt(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this || index.internalId() == kTopRowId)
        return nullptr;
    return &check_.groups[index.internalId() - 1].findings[size_t(index.row())];
}

QModelIndex CheckFindingsModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent))
        return {};
    return createIndex(row, column, parent.isValid() ? quintptr(parent.row()) + 1 : kTopRowId);
}

QModelIndex CheckFindingsModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kTopRowId)
        return {};
    return createIndex(int(child.internalId() - 1), 0, kTopRowId);
}

int CheckFindingsModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return int(check_.groups.size());
    if (parent.internalId() != kTopRowId || parent.column() != 0)
        return 0;  // findings have no children; only the first column holds them
    return int(check_.groups[size_t(parent.row())].findings.size());
}

int CheckFindingsModel::columnCount(const QModelIndex&) const {
    return int(kFindingColumns.size());
}

QVariant CheckFindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    if (index.internalId() == kTopRowId) {
        if (index.column() != 0)
            return {};
        const CheckGroup& group = check_.groups[size_t(index.row())];
        return QString("%1: %2")
            .arg(QString::fromStdString(CheckKindTitle(group.kind)))
            .arg(group.findings.size());
    }
    const CheckFinding& finding = *FindingAt(index);
    switch (index.column()) {
        case 0:
            return finding.number == 0 ? QString()
                                       : QString::fromStdString(finding.carrier) + ' ' +
                                             QString::number(finding.number);
        case 1:
            return QString::fromStdString(finding.text);
        default:
            return QString::fromStdString(CheckTableFile(finding.table)) + ' ' +
                   QString::number(finding.recno);
    }
}

QVariant CheckFindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        size_t(section) >= kFindingColumns.size())
        return {};
    return QString(kFindingColumns[size_t(section)]);
}

Qt::ItemFlags CheckFindingsModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.internalId() == kTopRowId ? flags : flags | Qt::ItemNeverHasChildren;
}
