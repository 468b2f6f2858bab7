// Double entries: track titles that more than one track record carries. Titles are equal when
// they are equal byte for byte once upper-cased as the index does it, over the full blank-padded
// width: letter case and trailing blanks do not count, leading blanks and everything else do.
// With similar spelling, titles are equal when their SimilarSpellingKey is
// (store/similar_spelling.h). Both walks read the keys of the title order
// (UPPER(TITEL)+UPPER(ARTIEST)) and leave the shared current record where it was. Failures throw
// TableError.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "store/scan_progress.h"

class TTable;

enum class TitleMatch {
    Exact,            // letter case and trailing blanks do not count
    SimilarSpelling,  // compared as a person reads them
};

struct DoubleTitleScan {
    // One record per title carried by two or more tracks, in title order: the second track of
    // its title in the title order. Tracks without a title are no double entries.
    std::vector<uint32_t> recnos;
    bool cancelled = false;  // the hook stopped the walk; recnos are then empty
};

// One walk over the title order's keys (deleted tracks skipped). With similar spelling, a title
// group's row is the track at which the walk met the group's second track.
DoubleTitleScan FindDoubleTitles(TTable& tracks, const ScanProgress& progress = nullptr,
                                 TitleMatch match = TitleMatch::Exact);

// The tracks that carry `title` (as stored or typed: trailing blanks and case do not count), in
// the title order, which lists them by artist. With similar spelling, the tracks whose title is
// spelled like `title` (a walk over the whole title order).
std::vector<uint32_t> TracksWithTitle(TTable& tracks, std::string_view title,
                                      TitleMatch match = TitleMatch::Exact);
