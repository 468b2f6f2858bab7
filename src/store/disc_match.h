// The catalogue's own answer to "which source is this disc?": the source whose CD ID (RMNR) is
// the disc's, or else the sources whose stored track times fit the disc's (discs entered by hand
// have no CD ID). Found through the tags, never by reading every track.
#pragma once

#include <string>
#include <vector>

#include "platform/discinfo/disc_candidate.h"

class Catalogue;

// The source tied to `query.cdId` (one at most), else every source with as many tracks as the
// disc whose track k's stored time is within 2 s of the disc's track k. Candidates are of
// Origin::Catalogue with carrier, number, main title, main artist, year, label and the tracks as
// stored (in TRACK order), best fit first. Blank CD ID: only the times are compared. Tracks are
// numbered from 1 as the program numbers them: the disc's longest track k is looked for among the
// tracks numbered k. The year is the first JAAR the source's tracks hold. A catalogue whose index
// files are not open throws TableError.
std::vector<discinfo::DiscCandidate> FindDiscInCatalogue(Catalogue& catalogue,
                                                         const discinfo::DiscQuery& query);

// What the screens say of a catalogue candidate: "This disc is already in the catalogue as CD 12
// "Title" by Artist." when its CD ID matched, "This disc looks like CD 12 …" when its times did.
std::string DiscInCatalogueText(const discinfo::DiscCandidate& source);
