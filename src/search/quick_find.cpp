#include "search/quick_find.h"

#include <algorithm>
#include <string_view>

#include "platform/xbase/cursor.h"
#include "platform/xbase/table.h"
#include "store/source_key.h"

namespace {

// Records read per file read: large enough to read at disk-cache speed, small enough that a step
// ends soon after its budget.
constexpr uint32_t kReadBytes = 256 * 1024;
constexpr uint32_t kNoMainTitle = UINT32_MAX;

// The seek order of the main titles: UPPER(DRAGER)+STR(CDNUMMER).
constexpr const char* kSourceOrder = "4";

}  // namespace

QuickFind::QuickFind(xbase::Table& tracks, xbase::Table& mainTitles, std::string text)
    : text_(std::move(text)) {
    Prepare(titles_, mainTitles, {"HTITEL", "HOOFDART"});
    Prepare(tracks_, tracks, {"ARTIEST", "TITEL", "COMPONIST"});
    if (text_.empty())
        phase_ = Phase::Done;
}

QuickFind::~QuickFind() = default;

void QuickFind::Prepare(Scanned& scanned, xbase::Table& table,
                        std::initializer_list<const char*> names) {
    scanned.table = &table;
    const xbase::Schema& schema = table.schema();
    // A field the file lacks is simply not searched: a foreign table finds less, not nothing.
    for (const char* name : names) {
        const int field = schema.Find(name);
        if (field >= 0)
            scanned.fields.emplace_back(schema[field].offset, schema[field].length);
    }
    const int carrier = schema.Find("DRAGER");
    const int number = schema.Find("CDNUMMER");
    if (carrier >= 0) {
        scanned.carrier = schema[carrier].offset;
        scanned.carrierLength = schema[carrier].length;
    }
    if (number >= 0) {
        scanned.number = schema[number].offset;
        scanned.numberLength = schema[number].length;
    }
    scanned.finder = std::make_unique<xbase::CaseInsensitiveFinder>(table.codePage(), text_);
}

bool QuickFind::Holds(const Scanned& scanned, const uint8_t* record) const {
    return std::any_of(scanned.fields.begin(), scanned.fields.end(), [&](const auto& field) {
        return scanned.finder->FoundIn(record + field.first, field.second);
    });
}

QuickFind::Group& QuickFind::GroupOf(const Scanned& scanned, const uint8_t* record) {
    const auto* carrier = reinterpret_cast<const char*>(record + scanned.carrier);
    const auto* number = reinterpret_cast<const char*>(record + scanned.number);
    // The tracks of a source mostly lie side by side: compare the raw bytes before building a key.
    const std::string_view raw[] = {{carrier, scanned.carrierLength},
                                    {number, scanned.numberLength}};
    const size_t rawLength = raw[0].size() + raw[1].size();
    if (!groups_.empty() && lastSource_.size() == rawLength &&
        std::string_view(lastSource_).substr(0, raw[0].size()) == raw[0] &&
        std::string_view(lastSource_).substr(raw[0].size()) == raw[1])
        return groups_[lastGroup_];
    lastSource_.assign(raw[0]).append(raw[1]);
    std::string key = SourceSeekKey(raw[0], raw[1]);
    auto [it, made] = groupIndex_.try_emplace(std::move(key), groups_.size());
    if (made) {
        groups_.push_back(Group{it->first, 0, {}});
        mainTitleOf_.push_back(0);
    }
    lastGroup_ = it->second;
    return groups_[lastGroup_];
}

xbase::Status QuickFind::Step(std::chrono::steady_clock::duration budget, uint64_t stopAt) {
    const auto until = std::chrono::steady_clock::now() + budget;
    while (phase_ != Phase::Done) {
        Scanned& scanned = phase_ == Phase::MainTitles ? titles_ : tracks_;
        const xbase::Table& table = *scanned.table;
        const uint32_t count = table.recordCount();  // read each time: a screen may append
        if (next_ > count) {
            phase_ = phase_ == Phase::MainTitles ? Phase::Tracks : Phase::Done;
            next_ = 1;
            lastSource_.clear();
            continue;
        }
        const uint32_t length = table.recordLength();
        const uint32_t n = std::min(std::max<uint32_t>(1, kReadBytes / length), count - next_ + 1);
        buffer_.resize(size_t(n) * length);
        const xbase::Status read = table.ReadRecords(next_, n, buffer_.data());
        if (!read.ok()) {
            phase_ = Phase::Done;
            return read;
        }
        for (uint32_t i = 0; i < n; ++i) {
            const uint8_t* record = buffer_.data() + size_t(i) * length;
            if (record[0] == '*' || !Holds(scanned, record))
                continue;
            Group& group = GroupOf(scanned, record);
            if (phase_ == Phase::MainTitles) {
                group.mainTitle = next_ + i;
                mainTitleOf_[lastGroup_] = next_ + i;
            } else {
                group.tracks.push_back(next_ + i);
            }
            ++hits_;
        }
        next_ += n;
        if (hits_ >= stopAt || std::chrono::steady_clock::now() >= until)
            break;
    }
    return xbase::Status::OK();
}

size_t QuickFind::IndexOf(const std::string& sourceKey) const {
    const auto it = groupIndex_.find(sourceKey);
    return it == groupIndex_.end() ? SIZE_MAX : it->second;
}

uint32_t QuickFind::MainTitleOf(size_t index) {
    if (index >= groups_.size())
        return 0;
    uint32_t& known = mainTitleOf_[index];
    if (known == 0) {
        known = kNoMainTitle;
        if (!titleCursor_) {
            titleCursor_ = std::make_unique<xbase::Cursor>(titles_.table);
            if (!titleCursor_->SetOrder(kSourceOrder).ok())
                titleCursor_.reset();
        }
        const std::string& key = groups_[index].sourceKey;
        bool found = false;
        if (titleCursor_ &&
            titleCursor_->Seek(reinterpret_cast<const uint8_t*>(key.data()), key.size(), &found)
                .ok() &&
            found)
            known = titleCursor_->RecNo();
    }
    return known == kNoMainTitle ? 0 : known;
}
