// The catalogue's check of its own data: one pass over each table lists what a collector would
// want to mend, grouped by kind. Reads the record files straight through (deleted records left
// out) and never writes. Failures throw TableError.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "store/scan_progress.h"

class Catalogue;

// In the order the groups are listed.
enum class CheckKind {
    BlankTitleOrArtist,
    TrackTime,
    TrackNumbers,
    MainTitleWithoutTracks,
    TrackWithoutMainTitle,
    LoanWithoutSource,
    PlaylistWithoutTrack,
    UnusedItem,
    FuturePurchase,
    YearOutOfRange,
    SameCdId,
    SimilarSpelling,
};

inline constexpr CheckKind kAllCheckKinds[] = {
    CheckKind::BlankTitleOrArtist,
    CheckKind::TrackTime,
    CheckKind::TrackNumbers,
    CheckKind::MainTitleWithoutTracks,
    CheckKind::TrackWithoutMainTitle,
    CheckKind::LoanWithoutSource,
    CheckKind::PlaylistWithoutTrack,
    CheckKind::UnusedItem,
    CheckKind::FuturePurchase,
    CheckKind::YearOutOfRange,
    CheckKind::SameCdId,
    CheckKind::SimilarSpelling,
};

// The heading of a kind's group, e.g. "Tracks with a blank title or artist".
std::string CheckKindTitle(CheckKind kind);

enum class CheckTable { Tracks, MainTitles, Items, Loans, Playlist };

// The table's file name, e.g. "artdat.dat".
std::string CheckTableFile(CheckTable table);

struct CheckFinding {
    CheckKind kind;
    std::string carrier;  // as stored, trimmed; "" for a lookup item
    int64_t number = 0;   // the source's number; 0 for a lookup item
    uint32_t recno = 0;   // the record of `table` to open
    CheckTable table;
    std::string text;  // what is wrong, e.g. "no artist", "track 4 on side A missing"
};

struct CheckGroup {
    CheckKind kind;
    std::vector<CheckFinding> findings;  // by carrier and number, then record
};

struct CatalogueCheck {
    std::vector<CheckGroup> groups;  // kinds with findings only, in CheckKind order
    bool cancelled = false;          // the hook stopped the pass; groups are then empty
    bool empty() const { return groups.empty(); }
};

// Checks every kind not in `off`. The hook is told records read of all five tables.
CatalogueCheck CheckCatalogue(Catalogue& catalogue, const std::set<CheckKind>& off = {},
                              const ScanProgress& progress = nullptr);

// The check as text: per group its heading and count, then one indented line per finding
// naming its source ("CD 12"), what is wrong and the record. "" when nothing was found.
std::string CheckReportText(const CatalogueCheck& check);
