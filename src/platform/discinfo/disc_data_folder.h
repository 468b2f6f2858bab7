// Disc data: a folder of disc records in the xmcd text format that freedb and its successors
// publish (one file per disc, named by its freedb ID, in genre folders). A look-up opens files by
// name and never lists a genre folder, so a folder of millions of records answers at once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/discinfo/disc_candidate.h"

namespace discinfo {

// Bigger files are no disc record (a record with long notes runs to some kilobytes); nothing
// bigger is read.
inline constexpr size_t kXmcdMostBytes = 1 << 20;

// One xmcd record (UTF-8 or Latin-1; the text decides) as a candidate of Origin::DiscData, with
// the track offsets and disc length its comments give; false, with `error` naming what is wrong,
// when it is no disc record.
struct XmcdRecord {
    DiscCandidate candidate;
    std::vector<int> offsets;  // "# Track frame offsets:"
    int lengthSeconds = 0;     // "# Disc length: N seconds"
};
bool ParseXmcd(std::string_view bytes, XmcdRecord* out, std::string* error);

// The records of `folder` for the disc: every genre folder's file named by the freedb ID whose
// offsets and length match the disc (freedb IDs collide), best fit first: the same number of
// tracks, each offset within 1 s and the length within 2 s. Empty when none; a folder that is
// missing or unreadable sets `error`, and so does a record of the disc that cannot be read (naming
// it, while the records that can be read are still found).
std::vector<DiscCandidate> LookUpDiscData(const std::string& folder, const DiscQuery& query,
                                          std::string* error);

}  // namespace discinfo
