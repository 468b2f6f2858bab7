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
    rows_ = 0;
    if (find_ != nullptr) {
        const auto& groups = find_->groups();
        firstRow_.reserve(groups.size());
        for (const QuickFind::Group& group : groups) {
            firstRow_.push_back(rows_);
            rows_ += 1 + int(group.tracks.size());
        }
    }
    endResetModel();
}

std::pair<size_t, size_t> QuickFindModel::Locate(int row) const {
    const auto after = std::upper_bound(firstRow_.begin(), firstRow_.end(), row);
    const size_t group = size_t(after - firstRow_.begin()) - 1;
    return {group, size_t(row - firstRow_[group])};
}

QuickFindModel::Target QuickFindModel::TargetAt(int row) const {
    if (find_ == nullptr || row < 0 || row >= rows_)
        return {};
    const auto [group, place] = Locate(row);
    const QuickFind::Group& found = find_->groups()[group];
    return {found.sourceKey, place == 0 ? 0 : found.tracks[place - 1]};
}

int QuickFindModel::RowOf(const Target& target) const {
    const size_t group = find_ != nullptr ? find_->IndexOf(target.sourceKey) : SIZE_MAX;
    if (group >= firstRow_.size())
        return -1;
    if (target.track == 0)
        return firstRow_[group];
    const int shown =
        (group + 1 < firstRow_.size() ? firstRow_[group + 1] : rows_) - firstRow_[group] - 1;
    const auto& tracks = find_->groups()[group].tracks;  // in record order
    const auto end = tracks.begin() + shown;
    const auto it = std::lower_bound(tracks.begin(), end, target.track);
    return it != end && *it == target.track ? firstRow_[group] + 1 + int(it - tracks.begin()) : -1;
}

bool QuickFindModel::IsSourceRow(int row) const {
    return find_ != nullptr && row >= 0 && row < rows_ && Locate(row).second == 0;
}

int QuickFindModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

const uint8_t* QuickFindModel::Read(TTable& table, uint32_t recno) const {
    record_.resize(table.table().recordLength());
    // A record that cannot be read (the file shrank under us) shows as an empty row.
    return recno != 0 && table.table().ReadRecord(recno, record_.data()).ok() ? record_.data()
                                                                              : nullptr;
}

QString QuickFindModel::SourceText(size_t group) const {
    const std::string& key = find_->groups()[group].sourceKey;
    const QString source =
        FromTable(key.substr(0, 10)).trimmed() + ' ' + FromTable(key.substr(10)).trimmed();
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
        const std::string value = tracks_.FieldText(record, field);
        return finder.FoundIn(reinterpret_cast<const uint8_t*>(value.data()), value.size());
    };
    if (!holds("ARTIEST") && !holds("TITEL"))
        text += "  (" + Trimmed(tracks_, record, "COMPONIST") + ')';
    return text;
}

QVariant QuickFindModel::data(const QModelIndex& index, int role) const {
    if (find_ == nullptr || !index.isValid() || index.row() >= rows_)
        return {};
    const auto [group, place] = Locate(index.row());
    if (role == Qt::FontRole && place == 0) {
        QFont font;
        font.setBold(true);
        return font;
    }
    if (role != Qt::DisplayRole)
        return {};
    try {
        return place == 0 ? SourceText(group) : TrackText(find_->groups()[group].tracks[place - 1]);
    } catch (const TableError&) {
        return {};  // a field the table lacks shows empty rather than ending a paint
    }
}
