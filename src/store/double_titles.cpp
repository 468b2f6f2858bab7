#include "store/double_titles.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "store/key_counts.h"
#include "store/similar_spelling.h"
#include "store/table_component.h"
#include "store/table_error.h"

namespace {

constexpr size_t kTitleWidth = 50;
constexpr const char* kTitleOrder = "2";

const xbase::OpenTag& TitleTag(xbase::Table& table) {
    const xbase::OpenTag* tag = table.FindTag(kTitleOrder);
    if (tag == nullptr || tag->keyLength() < kTitleWidth) {
        throw TableError(xbase::Status::NotFound(
            table.path(), "the title order (tag 2) is not open or has no room for the title"));
    }
    return *tag;
}

// The deleted flags of every record, read in one pass; empty when no record is deleted.
std::vector<bool> DeletedFlags(xbase::Table& table) {
    uint32_t deleted = 0;
    ThrowIfError(table.DeletedCount(&deleted));
    std::vector<bool> flags;
    if (deleted == 0) {
        return flags;
    }
    flags.assign(size_t(table.recordCount()) + 1, false);
    ThrowIfError(table.ScanRecords(1, [&flags](uint32_t recno, const uint8_t* record) {
        flags[recno] = record[0] == '*';
        return true;
    }));
    return flags;
}

bool Blank(const uint8_t* key) {
    return std::all_of(key, key + kTitleWidth, [](uint8_t c) { return c == ' '; });
}

// Calls visit(recno, upper-cased title) for every track not deleted, in title order. False when
// the progress hook stopped the walk.
template <typename Visit>
bool WalkTitleOrder(TTable& tracks, const ScanProgress& progress, Visit visit) {
    xbase::Table& table = tracks.table();
    ThrowIfError(table.Refresh(false));
    const xbase::OpenTag& tag = TitleTag(table);
    const std::vector<bool> deleted = DeletedFlags(table);
    const uint32_t count = table.recordCount();
    uint64_t done = 0;
    const std::unique_ptr<xbase::CdxIterator> it = tag.tag->NewIterator();
    for (ThrowIfError(it->SeekFirst()); it->Valid(); ThrowIfError(it->Next())) {
        const uint32_t recno = it->recno();
        if (recno == 0 || recno > count) {
            throw TableError(xbase::Status::Corruption(
                table.path(), "the title order lists record " + std::to_string(recno) + " of " +
                                  std::to_string(count)));
        }
        if (deleted.empty() || !deleted[recno]) {
            visit(recno, it->key());
        }
        if (!ScanGoesOn(progress, &done, count)) {
            return false;
        }
    }
    return true;
}

// The similar-spelling key of each title of a walk, folded again only when the title changes.
class SpelledTitles {
public:
    // True when `title` differs from the one before, and key() is then its key.
    bool Next(const uint8_t* title) {
        if (any_ && std::memcmp(last_, title, kTitleWidth) == 0) {
            return false;
        }
        std::memcpy(last_, title, kTitleWidth);
        any_ = true;
        SimilarSpellingKey(std::string_view(reinterpret_cast<const char*>(title), kTitleWidth),
                           &key_);
        return true;
    }
    const std::string& key() const { return key_; }

private:
    uint8_t last_[kTitleWidth];
    bool any_ = false;
    std::string key_;
};

}  // namespace

DoubleTitleScan FindDoubleTitles(TTable& tracks, const ScanProgress& progress, TitleMatch match) {
    DoubleTitleScan scan;
    bool walked = false;
    if (match == TitleMatch::Exact) {
        uint8_t group[kTitleWidth];
        uint32_t inGroup = 0;  // tracks of the title in `group` met so far
        walked = WalkTitleOrder(tracks, progress, [&](uint32_t recno, const uint8_t* title) {
            if (inGroup > 0 && std::memcmp(group, title, kTitleWidth) == 0) {
                if (++inGroup == 2 && !Blank(group)) {
                    scan.recnos.push_back(recno);
                }
            } else {
                std::memcpy(group, title, kTitleWidth);
                inGroup = 1;
            }
        });
    } else {
        // Groups of one spelling lie apart in the title order ("The Beatles", "Beatles"): count
        // each spelling's tracks as they come. Equal titles lie together, so each is folded once.
        KeyCounts met;
        met.Reserve(tracks.table().recordCount(), 24);
        SpelledTitles spelled;
        walked = WalkTitleOrder(tracks, progress, [&](uint32_t recno, const uint8_t* title) {
            spelled.Next(title);
            if (!spelled.key().empty() && met.Add(spelled.key()) == 2) {
                scan.recnos.push_back(recno);
            }
        });
    }
    if (!walked) {
        return {{}, true};
    }
    return scan;
}

std::vector<uint32_t> TracksWithTitle(TTable& tracks, std::string_view title, TitleMatch match) {
    if (match == TitleMatch::SimilarSpelling) {
        const std::string wanted = SimilarSpellingKey(title);
        std::vector<uint32_t> recnos;
        if (wanted.empty()) {
            return recnos;
        }
        SpelledTitles spelled;
        bool same = false;
        WalkTitleOrder(tracks, nullptr, [&](uint32_t recno, const uint8_t* key) {
            if (spelled.Next(key)) {
                same = spelled.key() == wanted;
            }
            if (same) {
                recnos.push_back(recno);
            }
        });
        return recnos;
    }
    xbase::Table& table = tracks.table();
    ThrowIfError(table.Refresh(false));
    const xbase::OpenTag& tag = TitleTag(table);
    std::string key(kTitleWidth, ' ');
    for (size_t i = 0; i < std::min(title.size(), kTitleWidth); ++i) {
        key[i] = char(table.codePage().Upper(uint8_t(title[i])));
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(key.data());
    std::vector<uint8_t> record(table.recordLength());
    std::vector<uint32_t> recnos;
    const std::unique_ptr<xbase::CdxIterator> it = tag.tag->NewIterator();
    for (ThrowIfError(it->Seek(bytes, kTitleWidth));
         it->Valid() && std::memcmp(it->key(), bytes, kTitleWidth) == 0; ThrowIfError(it->Next())) {
        ThrowIfError(table.ReadRecord(it->recno(), record.data()));
        if (record[0] != '*') {
            recnos.push_back(it->recno());
        }
    }
    return recnos;
}
