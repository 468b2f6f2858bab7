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

QuickFind::QuickFind(xbase::Table& tracks, xbase::Table& mainTitles, std::string text,
                     const QuickFind* previous)
    : text_(std::move(text)), upperText_(TableUpper(text_)) {
    Prepare(titles_, mainTitles, {"HTITEL", "HOOFDART"});
    Prepare(tracks_, tracks, {"ARTIEST", "TITEL", "COMPONIST"});
    changeCount_ = ChangeCount();
    if (text_.empty())
        phase_ = Phase::Done;
    else if (previous != nullptr)
        RefineFrom(*previous);
}

uint64_t QuickFind::ChangeCount() const {
    return titles_.table->changeCount() + tracks_.table->changeCount();
}

bool QuickFind::Current(const xbase::Table& tracks, const xbase::Table& mainTitles) const {
    return &tracks == tracks_.table && &mainTitles == titles_.table &&
           ChangeCount() == changeCount_;
}

void QuickFind::RefineFrom(const QuickFind& previous) {
    // Past this share of the tracks, reading the hits one by one costs more than reading all.
    constexpr uint64_t kDenseShare = 16;
    constexpr uint64_t kFewHits = 4096;
    if (previous.text_.empty() || upperText_.find(previous.upperText_) == std::string::npos ||
        previous.titles_.table != titles_.table || previous.tracks_.table != tracks_.table ||
        previous.changeCount_ != changeCount_ || previous.Refining() ||
        previous.phase_ == Phase::MainTitles ||
        previous.hitList_.size() >
            std::max<uint64_t>(kFewHits, tracks_.table->recordCount() / kDenseShare))
        return;
    for (size_t group = 0; group < previous.groups_.size(); ++group) {
        if (previous.groups_[group].mainTitle != 0)
            candidates_[0].push_back(previous.groups_[group].mainTitle);
    }
    candidates_[1].reserve(previous.hitList_.size());
    for (const Hit& hit : previous.hitList_)  // in record order, as the scan found them
        candidates_[1].push_back(hit.recno);
    resumePhase_ = previous.phase_;
    resumeNext_ = previous.next_;
    phase_ = Phase::RefineMainTitles;
}

void QuickFind::NextPhase() {
    switch (phase_) {
        case Phase::RefineMainTitles:
            phase_ = Phase::RefineTracks;
            break;
        case Phase::RefineTracks:
            phase_ = resumePhase_;
            next_ = resumeNext_;
            break;
        case Phase::MainTitles:
            phase_ = Phase::Tracks;
            next_ = 1;
            break;
        default:
            phase_ = Phase::Done;
    }
    candidate_ = 0;
    lastSource_.clear();
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

size_t QuickFind::Slot(std::string_view key) const {
    const size_t mask = slots_.size() - 1;
    for (size_t slot = std::hash<std::string_view>()(key) & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == 0 || SourceKey(slots_[slot] - 1) == key)
            return slot;
    }
}

void QuickFind::GrowSlots() {
    slots_.assign(std::max<size_t>(1024, slots_.size() * 2), 0);
    for (size_t group = 0; group < groups_.size(); ++group)
        slots_[Slot(SourceKey(group))] = uint32_t(group + 1);
}

size_t QuickFind::IndexOf(std::string_view sourceKey) const {
    if (slots_.empty() || sourceKey.size() != kKeyLength)
        return SIZE_MAX;
    const uint32_t found = slots_[Slot(sourceKey)];
    return found == 0 ? SIZE_MAX : found - 1;
}

size_t QuickFind::GroupOf(const Scanned& scanned, const uint8_t* record) {
    const auto* carrier = reinterpret_cast<const char*>(record + scanned.carrier);
    const auto* number = reinterpret_cast<const char*>(record + scanned.number);
    // The tracks of a source mostly lie side by side: compare the raw bytes before building a key.
    const std::string_view raw[] = {{carrier, scanned.carrierLength},
                                    {number, scanned.numberLength}};
    if (!groups_.empty() && lastSource_.size() == raw[0].size() + raw[1].size() &&
        std::string_view(lastSource_).substr(0, raw[0].size()) == raw[0] &&
        std::string_view(lastSource_).substr(raw[0].size()) == raw[1])
        return lastGroup_;
    lastSource_.assign(raw[0]).append(raw[1]);
    std::string key = SourceSeekKey(raw[0], raw[1]);
    key.resize(kKeyLength, ' ');  // the fields' widths make it so; a foreign table is cut
    if (2 * (groups_.size() + 1) > slots_.size())
        GrowSlots();
    const size_t slot = Slot(key);
    if (slots_[slot] == 0) {
        groups_.push_back(Group{});
        keys_ += key;
        mainTitleOf_.push_back(0);
        slots_[slot] = uint32_t(groups_.size());
    }
    lastGroup_ = slots_[slot] - 1;
    return lastGroup_;
}

void QuickFind::Test(const Scanned& scanned, const uint8_t* record, uint32_t recno) {
    if (record[0] == '*' || !Holds(scanned, record))
        return;
    const size_t index = GroupOf(scanned, record);
    Group& group = groups_[index];
    if (&scanned == &titles_) {
        group.mainTitle = recno;
        mainTitleOf_[index] = recno;
    } else {
        const auto hit = uint32_t(hitList_.size());
        hitList_.push_back(Hit{recno, 0});
        if (group.trackCount++ == 0)
            group.firstHit = hit;
        else
            hitList_[group.lastHit].next = hit;
        group.lastHit = hit;
    }
    ++hits_;
}

xbase::Status QuickFind::Fetch(const Scanned& scanned, uint32_t recno, const uint8_t** record) {
    // The hits of one source mostly lie side by side: read a few records at a time.
    constexpr uint32_t kNeighbours = 16;
    const xbase::Table& table = *scanned.table;
    *record = nullptr;
    if (recno == 0 || recno > table.recordCount())
        return xbase::Status::OK();
    const uint32_t length = table.recordLength();
    if (window_ != &table || recno < windowFirst_ || recno >= windowFirst_ + windowCount_) {
        window_ = nullptr;
        const uint32_t n = std::min(kNeighbours, table.recordCount() - recno + 1);
        buffer_.resize(size_t(n) * length);
        XB_RETURN_IF_ERROR(table.ReadRecords(recno, n, buffer_.data()));
        window_ = &table;
        windowFirst_ = recno;
        windowCount_ = n;
    }
    *record = buffer_.data() + size_t(recno - windowFirst_) * length;
    return xbase::Status::OK();
}

xbase::Status QuickFind::StepRefine(const std::chrono::steady_clock::time_point& until,
                                    uint64_t stopAt) {
    constexpr size_t kBatch = 256;  // records tested between looks at the clock
    const Scanned& scanned = phase_ == Phase::RefineMainTitles ? titles_ : tracks_;
    const std::vector<uint32_t>& list = candidates_[phase_ == Phase::RefineMainTitles ? 0 : 1];
    while (candidate_ < list.size()) {
        for (const size_t end = std::min(list.size(), candidate_ + kBatch); candidate_ < end;
             ++candidate_) {
            const uint8_t* record = nullptr;
            XB_RETURN_IF_ERROR(Fetch(scanned, list[candidate_], &record));
            if (record != nullptr)
                Test(scanned, record, list[candidate_]);
        }
        if (hits_ >= stopAt || std::chrono::steady_clock::now() >= until)
            return xbase::Status::OK();
    }
    NextPhase();
    return xbase::Status::OK();
}

xbase::Status QuickFind::StepScan(const std::chrono::steady_clock::time_point& until,
                                  uint64_t stopAt) {
    const Scanned& scanned = phase_ == Phase::MainTitles ? titles_ : tracks_;
    const xbase::Table& table = *scanned.table;
    for (;;) {
        const uint32_t count = table.recordCount();  // read each time: a screen may append
        if (next_ > count) {
            NextPhase();
            return xbase::Status::OK();
        }
        const uint32_t length = table.recordLength();
        const uint32_t n = std::min(std::max<uint32_t>(1, kReadBytes / length), count - next_ + 1);
        buffer_.resize(size_t(n) * length);
        window_ = nullptr;
        XB_RETURN_IF_ERROR(table.ReadRecords(next_, n, buffer_.data()));
        for (uint32_t i = 0; i < n; ++i)
            Test(scanned, buffer_.data() + size_t(i) * length, next_ + i);
        next_ += n;
        if (hits_ >= stopAt || std::chrono::steady_clock::now() >= until)
            return xbase::Status::OK();
    }
}

xbase::Status QuickFind::Step(std::chrono::steady_clock::duration budget, uint64_t stopAt) {
    const auto until = std::chrono::steady_clock::now() + budget;
    while (phase_ != Phase::Done && hits_ < stopAt && std::chrono::steady_clock::now() < until) {
        const xbase::Status status =
            Refining() ? StepRefine(until, stopAt) : StepScan(until, stopAt);
        if (!status.ok()) {
            phase_ = Phase::Done;
            return status;
        }
    }
    return xbase::Status::OK();
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
        const std::string_view key = SourceKey(index);
        bool found = false;
        if (titleCursor_ &&
            titleCursor_->Seek(reinterpret_cast<const uint8_t*>(key.data()), key.size(), &found)
                .ok() &&
            found)
            known = titleCursor_->RecNo();
    }
    return known == kNoMainTitle ? 0 : known;
}
