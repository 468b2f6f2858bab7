// MusicBrainz web service (version 2, JSON): what a disc ID or table-of-contents look-up asks
// and how its answer becomes candidates.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "platform/discinfo/disc_candidate.h"

namespace discinfo {

// The toc= value: first track, last track, lead-out, then each track's start, all in frames with
// the lead-in counted, joined by '+'.
QString MusicBrainzToc(const DiscQuery& disc);

// The releases of a /ws/2/discid answer (a disc's own, or the list a table of contents matched),
// each as a candidate of Origin::MusicBrainz. The tracks are those of the medium that holds the
// disc: the one whose disc list has the disc ID, else the first with as many tracks as the disc.
// False, with `error` saying why, when the answer is not such JSON.
bool ParseMusicBrainzReply(const QByteArray& json, const DiscQuery& disc,
                           std::vector<DiscCandidate>* out, QString* error);

}  // namespace discinfo
