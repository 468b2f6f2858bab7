#include "search/quick_find_model.h"

#include <QFont>
#include <algorithm>

#include "platform/xbase/text_search.h"
#include "search/quick_find.h"
#include "shell/table_text.h"
#include "store/table_component.h"
#include "store/table_error.h"

namespace {

QString Trimmed(const TTable& table, const uint8_t* record, const char* field) {
    return FromTable(table.FieldText(record, field)).trimmed();
}

}  // namespace

QuickFindModel::QuickFindModel(TTable& tracks, TTable& mainTitles, QObject* parent)
    : QAbstractListModel(parent), tracks_(tracks), mainTitles_(mainTitles) {}

void QuickFindModel::Publish(QuickFind* find) {
    // One reset per publication: a million rows inserted group by group would cost far more
    // than laying the list out again; the caller keeps the current hit.
    beginResetModel();
    find_ = find;
    firstRow_.clear();
    recnos_.clear();
    if (find_ != nullptr) {
        firstRow_.reserve(find_->groupCount());
        recnos_.reserve(find_->groupCount() + find_->hits());
        for (size_t group = 0; group < find_->groupCount(); ++group) {
            firstRow_.push_back(int(recnos_.size()));
            recnos_.push_back(0);
            find_->ForEachTrack(group, find_->group(group).trackCount,
                                [this](uint32_t recno) { recnos_.push_back(recno); });
        }
    }
    endResetModel();
}

size_t QuickFindModel::GroupOfRow(int row) const {
    return size_t(std::upper_bound(firstRow_.begin(), firstRow_.end(), row) - firstRow_.begin()) -
           1;
}

QuickFindModel::Target QuickFindModel::TargetAt(int row) const {
    if (row < 0 || row >= rowCount())
        return {};
    return {std::string(find_->SourceKey(GroupOfRow(row))), recnos_[size_t(row)]};
}

int QuickFindModel::RowOf(const Target& target) const {
    const size_t group = find_ != nullptr ? find_->IndexOf(target.sourceKey) : SIZE_MAX;
    if (group >= firstRow_.size())
        return -1;
    const int first = firstRow_[group];
    const int end = group + 1 < firstRow_.size() ? firstRow_[group + 1] : rowCount();
    for (int row = first; row < end; ++row) {
        if (recnos_[size_t(row)] == target.track)
            return row;
    }
    return -1;
}

int QuickFindModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(recnos_.size());
}

const uint8_t* QuickFindModel::Read(TTable& table, uint32_t recno) const {
    record_.resize(table.table().recordLength());
    // A record that cannot be read (the file shrank under us) shows as an empty row.
    return recno != 0 && table.table().ReadRecord(recno, record_.data()).ok() ? record_.data()
                                                                              : nullptr;
}

QString QuickFindModel::SourceText(size_t group) const {
    const std::string key(find_->SourceKey(group));
    const QString source = FromTable(TableText(key.substr(0, 10))).trimmed() + ' ' +
                           FromTable(TableText(key.substr(10))).trimmed();
    const uint8_t* record = Read(mainTitles_, find_->MainTitleOf(group));
    if (record == nullptr)
        return source + "  (no main title)";
    QString text = Trimmed(mainTitles_, record, "HTITEL");
    const QString artist = Trimmed(mainTitles_, record, "HOOFDART");
    if (!artist.isEmpty())
        text += " \u2013 " + artist;
    return text + "  [" + source + ']';
}

QString QuickFindModel::TrackText(uint32_t recno) const {
    const uint8_t* record = Read(tracks_, recno);
    if (record == nullptr)
        return {};
    QString text = "    " + Trimmed(tracks_, record, "ARTIEST") + " \u2013 " +
                   Trimmed(tracks_, record, "TITEL");
    // The composer is shown only when it is why the track is listed.
    const xbase::CaseInsensitiveFinder finder(tracks_.table().codePage(), find_->text());
    const auto holds = [&](const char* field) {
        const std::string value = tracks_.FieldText(record, field).bytes();
        return finder.FoundIn(reinterpret_cast<const uint8_t*>(value.data()), value.size());
    };
    if (!holds("ARTIEST") && !holds("TITEL"))
        text += "  (" + Trimmed(tracks_, record, "COMPONIST") + ')';
    return text;
}

QVariant QuickFindModel::data(const QModelIndex& index, int role) const {
    // Rows of a find that the tables have outgrown (a pack, a track edited) show nothing until
    // the box finds again.
    if (!index.isValid() || index.row() >= rowCount() || !tracks_.Active() ||
        !mainTitles_.Active() || !find_->Current(tracks_.table(), mainTitles_.table()))
        return {};
    const uint32_t recno = recnos_[size_t(index.row())];
    if (role == Qt::FontRole && recno == 0) {
        QFont font;
        font.setBold(true);
        return font;
    }
    if (role != Qt::DisplayRole)
        return {};
    try {
        return recno == 0 ? SourceText(GroupOfRow(index.row())) : TrackText(recno);
    } catch (const TableError&) {
        return {};  // a field the table lacks shows empty rather than ending a paint
    }
}
