// Sources that share a disc identity: two main titles with the same CD ID (RMNR, blanks around it
// and letter case not counting) are one disc catalogued twice. Reads the record files straight
// through (deleted records left out) and leaves the shared current records where they were.
// Failures throw TableError.
#pragma once

#include <cstdint>
#include <vector>

class TTable;

// One track per CD ID carried by two or more sources: the first track (lowest record) of the
// second source of that CD ID, in main-title record order. Sources without tracks are passed
// over; a CD ID with fewer than two sources that have tracks gives no track.
std::vector<uint32_t> TracksOfSharedDiscs(TTable& titles, TTable& tracks);
