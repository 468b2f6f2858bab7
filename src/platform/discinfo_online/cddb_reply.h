// CDDB over HTTP as gnudb speaks it (protocol level 6, UTF-8): the "cddb query" command for a
// disc, the matches a query answers, and the disc record a "cddb read" answers.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "platform/discinfo/disc_candidate.h"

namespace discinfo {

// "cddb query <freedb ID> <tracks> <offset>... <seconds>".
QString CddbQueryCommand(const DiscQuery& disc);

struct CddbMatch {
    QString category;  // "rock", "misc", …
    QString discId;    // 8 hex digits
    QString title;     // "Artist / Title" as the server lists it
};

// A "cddb query" answer: 200 (one exact match), 210 or 211 (a list of matches) give matches; 202
// (none) gives an empty list. Any other answer is false with `error` saying why.
bool ParseCddbQuery(const QByteArray& answer, std::vector<CddbMatch>* matches, QString* error);

// A "cddb read" answer (210 and the disc record) as a candidate of Origin::Gnudb whose reference
// is "category discid". Track times come from the record's frame offsets and disc length.
bool ParseCddbRead(const QByteArray& answer, DiscCandidate* out, QString* error);

}  // namespace discinfo
