// A deterministic generator of track CSV files for the benchmarks: plausible artists, titles,
// sources and times, with some accented letters, in the column layout the loader reads.
#pragma once

#include <cstdint>
#include <ostream>

namespace bench {

// Writes a header row and `tracks` rows of UTF-8 CSV. The same seed gives the same file.
void GenerateTrackCsv(std::ostream& out, uint64_t tracks, uint64_t seed);

}  // namespace bench
