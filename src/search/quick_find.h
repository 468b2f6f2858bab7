// QuickFind: the find-as-you-type behind the main window's search box. A word part is looked for
// anywhere in the artist, title and composer of every track and in the main title and main artist
// of every source, in any letter case, and the hits are gathered by source.
//
// The scan reads the table files straight through in steps, main titles first, so that the caller
// shows the first hits at once, keeps the window answering between steps, and simply drops a scan
// that a later keystroke made pointless. It never moves a table's current record, so the screens
// that share the tables notice nothing. Toolkit-free; the tables are not thread-safe, so every
// step runs on the thread that owns them.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
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
    struct Group {
        std::string sourceKey;         // SourceSeekKey of the source
        uint32_t mainTitle = 0;        // its main-title record when that holds the text; else 0
        std::vector<uint32_t> tracks;  // its tracks that hold the text, in record order
    };

    // Both tables must stay open, and the same objects, while the find lives. `text` is in the
    // tables' code page and trimmed; an empty text finds nothing.
    QuickFind(xbase::Table& tracks, xbase::Table& mainTitles, std::string text);
    ~QuickFind();
    QuickFind(const QuickFind&) = delete;
    QuickFind& operator=(const QuickFind&) = delete;

    // Scans on until `budget` has passed, `stopAt` hits are known or the scan is done; a failed
    // read ends the scan and is returned (the hits so far stay).
    xbase::Status Step(std::chrono::steady_clock::duration budget, uint64_t stopAt = UINT64_MAX);
    bool done() const { return phase_ == Phase::Done; }
    // The main titles and tracks found so far.
    uint64_t hits() const { return hits_; }
    // Sources in the order their first hit was found; a group only ever grows, and groups are
    // only ever appended.
    const std::vector<Group>& groups() const { return groups_; }
    const std::string& text() const { return text_; }
    // The index of the group of `sourceKey`, or SIZE_MAX when none is found yet.
    size_t IndexOf(const std::string& sourceKey) const;

    // The main-title record of group `index` (0 when the source has none), looked up once in the
    // source order of the main titles with a cursor of its own.
    uint32_t MainTitleOf(size_t index);

private:
    enum class Phase { MainTitles, Tracks, Done };
    struct Scanned {
        xbase::Table* table;
        std::vector<std::pair<uint32_t, uint32_t>> fields;  // offset and length of each
        uint32_t carrier = 0, carrierLength = 0, number = 0, numberLength = 0;
        std::unique_ptr<xbase::CaseInsensitiveFinder> finder;
    };

    void Prepare(Scanned& scanned, xbase::Table& table, std::initializer_list<const char*> names);
    bool Holds(const Scanned& scanned, const uint8_t* record) const;
    // The group of the source of `record`, made when it is the source's first hit.
    Group& GroupOf(const Scanned& scanned, const uint8_t* record);

    Scanned titles_, tracks_;
    std::string text_;
    Phase phase_ = Phase::MainTitles;
    uint32_t next_ = 1;  // the next record of the table being scanned
    uint64_t hits_ = 0;
    std::vector<uint8_t> buffer_;
    std::vector<Group> groups_;
    std::unordered_map<std::string, size_t> groupIndex_;
    std::string lastSource_;  // raw carrier and number of the last hit, and its group
    size_t lastGroup_ = 0;
    std::vector<uint32_t> mainTitleOf_;  // per group: 0 not looked up, UINT32_MAX none
    std::unique_ptr<xbase::Cursor> titleCursor_;
};
