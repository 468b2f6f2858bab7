// QuickFind: the find-as-you-type behind the main window's search box. A word part is looked for
// anywhere in the artist, title and composer of every track and in the main title and main artist
// of every source, in any letter case, and the hits are gathered by source.
//
// The scan reads the table files straight through in steps, main titles first, so that the caller
// shows the first hits at once, keeps the window answering between steps, and simply drops a scan
// that a later keystroke made pointless. A text typed on from the one before it is looked for only
// in that one's hits (and in the records it had not reached yet), when those are few. It never
// moves a table's current record, so the screens that share the tables notice nothing.
// Toolkit-free; the tables are not thread-safe, so every step runs on the thread that owns them.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/xbase/status.h"
#include "platform/xbase/text_search.h"

namespace xbase {
class Cursor;
class Table;
}  // namespace xbase

class QuickFind {
public:
    // A source with hits. Its tracks are chained through the hits in record order; everything
    // lives in a few large arrays, so that dropping a find of a million hits frees four blocks
    // instead of a hundred thousand.
    struct Group {
        uint32_t mainTitle = 0;   // its main-title record when that holds the text; else 0
        uint32_t trackCount = 0;  // its tracks that hold the text
        uint32_t firstHit = 0, lastHit = 0;
    };

    // Both tables must stay open, and the same objects, while the find lives. `text` is in the
    // tables' code page and trimmed; an empty text finds nothing. `previous`, when given, is the
    // find of the text before; it is only read here, and may go afterwards.
    QuickFind(xbase::Table& tracks, xbase::Table& mainTitles, std::string text,
              const QuickFind* previous = nullptr);
    ~QuickFind();
    QuickFind(const QuickFind&) = delete;
    QuickFind& operator=(const QuickFind&) = delete;

    // Scans on until `budget` has passed, `stopAt` hits are known or the scan is done; a failed
    // read ends the scan and is returned (the hits so far stay).
    xbase::Status Step(std::chrono::steady_clock::duration budget, uint64_t stopAt = UINT64_MAX);
    bool done() const { return phase_ == Phase::Done; }
    // The main titles and tracks found so far.
    uint64_t hits() const { return hits_; }
    const std::string& text() const { return text_; }
    // Whether the find still stands for these tables: the same objects, unchanged since it began
    // (a pack or a reopen makes its record numbers meaningless).
    bool Current(const xbase::Table& tracks, const xbase::Table& mainTitles) const;

    // Sources in the order their first hit was found; groups are only ever appended, and a
    // group only ever gains tracks at its end.
    size_t groupCount() const { return groups_.size(); }
    const Group& group(size_t index) const { return groups_[index]; }
    // The SourceSeekKey of group `index`.
    std::string_view SourceKey(size_t index) const {
        return std::string_view(keys_).substr(index * kKeyLength, kKeyLength);
    }
    // The index of the group of `sourceKey`, or SIZE_MAX when none is found yet.
    size_t IndexOf(std::string_view sourceKey) const;
    // Calls visit(recno) for the first `count` tracks of group `index`, in record order.
    template <typename Visit>
    void ForEachTrack(size_t index, uint32_t count, Visit visit) const {
        uint32_t hit = groups_[index].firstHit;
        for (uint32_t i = 0; i < count; ++i, hit = hitList_[hit].next)
            visit(hitList_[hit].recno);
    }

    // The main-title record of group `index` (0 when the source has none), looked up once in the
    // source order of the main titles with a cursor of its own.
    uint32_t MainTitleOf(size_t index);

private:
    static constexpr size_t kKeyLength = 20;
    // The two refining phases test the records listed in candidates_, the scanning ones read
    // the table from next_ on.
    enum class Phase { RefineMainTitles, RefineTracks, MainTitles, Tracks, Done };
    struct Scanned {
        xbase::Table* table;
        std::vector<std::pair<uint32_t, uint32_t>> fields;  // offset and length of each
        uint32_t carrier = 0, carrierLength = 0, number = 0, numberLength = 0;
        std::unique_ptr<xbase::CaseInsensitiveFinder> finder;
    };
    struct Hit {
        uint32_t recno;
        uint32_t next;  // the group's next hit
    };

    void Prepare(Scanned& scanned, xbase::Table& table, std::initializer_list<const char*> names);
    // Takes over the hits of `previous` as the records to test, when this text holds its text,
    // the tables did not change in between and the hits are few enough.
    void RefineFrom(const QuickFind& previous);
    uint64_t ChangeCount() const;
    bool Refining() const {
        return phase_ == Phase::RefineMainTitles || phase_ == Phase::RefineTracks;
    }
    // The next phase when the present one has run out.
    void NextPhase();
    // Tests records of the present phase until one of the limits; false after a failed read.
    xbase::Status StepRefine(const std::chrono::steady_clock::time_point& until, uint64_t stopAt);
    xbase::Status StepScan(const std::chrono::steady_clock::time_point& until, uint64_t stopAt);
    // Record `recno` of the table of `scanned`, read with its neighbours (null past the end).
    xbase::Status Fetch(const Scanned& scanned, uint32_t recno, const uint8_t** record);
    void Test(const Scanned& scanned, const uint8_t* record, uint32_t recno);
    bool Holds(const Scanned& scanned, const uint8_t* record) const;
    // The index of the group of the source of `record`, made at the source's first hit.
    size_t GroupOf(const Scanned& scanned, const uint8_t* record);
    // The slot of `key` in the open-addressing table: the one holding it, or the empty one
    // where it belongs.
    size_t Slot(std::string_view key) const;
    void GrowSlots();

    Scanned titles_, tracks_;
    std::string text_;
    std::string upperText_;
    Phase phase_ = Phase::MainTitles;
    uint32_t next_ = 1;  // the next record of the table being scanned
    // Refining: the records to test per table, the next one, and where the scan goes on after.
    std::vector<uint32_t> candidates_[2];
    size_t candidate_ = 0;
    Phase resumePhase_ = Phase::Done;
    uint32_t resumeNext_ = 1;
    uint64_t changeCount_ = 0;              // both tables', when the find began
    const xbase::Table* window_ = nullptr;  // the table whose records buffer_ holds
    uint32_t windowFirst_ = 0, windowCount_ = 0;
    uint64_t hits_ = 0;
    std::vector<uint8_t> buffer_;
    std::vector<Group> groups_;
    std::vector<Hit> hitList_;
    std::string keys_;             // kKeyLength bytes per group
    std::vector<uint32_t> slots_;  // group index + 1, 0 for an empty slot
    std::string lastSource_;       // raw carrier and number of the last hit, and its group
    size_t lastGroup_ = 0;
    std::vector<uint32_t> mainTitleOf_;  // per group: 0 not looked up, UINT32_MAX none
    std::unique_ptr<xbase::Cursor> titleCursor_;
};
