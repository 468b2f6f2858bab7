// The ways into the source screen and the two information windows, for the screens that list
// sources and tracks (searches, overviews, double entries) and for the hooks of the entry and CD
// screens.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class Catalogue;
class QWidget;

// Opens the source screen modally over `parent` on the source (carrier, number), with the track
// of record `trackRecNo` in artdat.dat selected (0: the first track). False, after "Source is not
// found!", when the source has no main title. The tables are back where they were afterwards.
bool ShowSource(Catalogue& catalogue, std::string_view carrier, std::string_view number,
                uint32_t trackRecNo, QWidget* parent);
// The same for a SourceSeekKey (carrier padded to 10, then the number right-aligned in 10).
bool ShowSourceByKey(Catalogue& catalogue, const std::string& sourceSeekKey, QWidget* parent);

// The track (main title) on which the track (main-title) table stands, read-only and modal.
void ShowTrackInfo(Catalogue& catalogue, QWidget* parent);
void ShowMainTitleInfo(Catalogue& catalogue, QWidget* parent);
